#include "model/VqsTransactionHostInfo.h"

#include "model/VqsTransactionEnterprise.h"
#include "shell/VqsSysApp.h"

namespace {

constexpr UINT IDS_CANNOT_SAVE_HOST = 61656;

} // namespace

void VqsTransactionHostInfo::SetHostName(LPCTSTR name)
{
    Write<int>({m_pHost}, IDS_CANNOT_SAVE_HOST, [&] {
        m_pHost->SetName(name);
        return 1;
    });
}

void VqsTransactionHostInfo::SetHostSpec(LPCTSTR address, std::int64_t port, LPCTSTR ftpUserid, LPCTSTR ftpPassword,
                                         int kanaMode)
{
    const int encipher = VqsReadEncryptFtpPassword() != 0 ? 1 : 0;
    Write<int>({m_pHost}, IDS_CANNOT_SAVE_HOST, [&] {
        m_pHost->SetAddress(address);
        m_pHost->SetPortNumber(static_cast<LONG>(port));
        m_pHost->SetFtpUserid(ftpUserid);
        if (ftpPassword)
            m_pHost->SetFtpPassword(ftpPassword, encipher);
        m_pHost->SetQsr_kana_Mode(kanaMode);
        try {
            VqsGetApp()->SetDefaultPort(m_pHost->GetHostType(), static_cast<UINT>(port));
        } catch (const VqReportableException&) {
            // The host is stored; only its type's default port stays as it was.
        }
        return 1;
    });
}
