#include "model/VqsTransactionEnterprise.h"

#include "com/ComGuid.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQPackInformation.h"
#include "proxy/PxVQSystem.h"
#include "shell/VqsExceptionData.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/PrivateProfile.h"

namespace {

constexpr UINT IDS_INTEGER_RANGE = 61511;
constexpr UINT IDS_NO_GUID_FOR_SYSTEM = 61595;
constexpr UINT IDS_CANNOT_ACCESS_REPOSITORY = 61639;
constexpr UINT IDS_CANNOT_CREATE_HOST = 61645;
constexpr UINT IDS_CANNOT_CREATE_PACK = 61646;
constexpr UINT IDS_CANNOT_CREATE_SYSTEM = 61647;

constexpr std::int64_t kLowestPort = 1;
constexpr std::int64_t kHighestPort = 65535;

bool IsValidPort(std::int64_t port) { return port >= kLowestPort && port <= kHighestPort; }

// The reason a port is refused, in the words the port fields use.
VqsExceptionData PortOutOfRange()
{
    CString text;
    text.LoadString(IDS_INTEGER_RANGE);
    return VqsExceptionData(text, __FILE__, __LINE__, "1", "65535");
}

} // namespace

int VqsReadEncryptFtpPassword()
{
    return static_cast<int>(GetPrivateProfileInt("Tamberlyn", "EncryptFtpPassword", 0, "./KESH.INI"));
}

PxVQEnterprisePtr VqsTransactionEnterprise::GetEnterprise()
{
    try {
        if (!IsUsable())
            return PxVQEnterprisePtr();
        PxVQLink* link = Link();
        if (!link) {
            SetFailed();
            return PxVQEnterprisePtr();
        }
        return link->GetLVQEnterprise();
    } catch (const VqReportableException& error) {
        ReportFailure(IDS_CANNOT_ACCESS_REPOSITORY, error);
        return PxVQEnterprisePtr();
    }
}

PxVQHostInformationPtr VqsTransactionEnterprise::CreateHostInformation(LPCTSTR name, int hostType, LPCTSTR address,
                                                                       std::int64_t port, LPCTSTR ftpUserid,
                                                                       LPCTSTR ftpPassword)
{
    if (!IsValidPort(port)) {
        ReportFailure(IDS_CANNOT_CREATE_HOST, PortOutOfRange());
        return PxVQHostInformationPtr();
    }
    const int encipher = VqsReadEncryptFtpPassword() != 0 ? 1 : 0;
    PxVQEnterprisePtr enterprise = GetEnterprise();
    return Write<PxVQHostInformationPtr>({enterprise}, IDS_CANNOT_CREATE_HOST, [&] {
        PxVQHostInformationPtr host = enterprise->CreateHostInformation(name);
        host->SetHostType(hostType);
        host->SetAddress(address);
        host->SetPortNumber(static_cast<LONG>(port));
        host->SetFtpUserid(ftpUserid);
        host->SetFtpPassword(ftpPassword, encipher);
        VqsGetApp()->SetDefaultPort(hostType, static_cast<UINT>(port));
        return host;
    });
}

PxVQPackInformationPtr VqsTransactionEnterprise::CreatePackInformation(LPCTSTR name, int packType)
{
    PxVQEnterprisePtr enterprise = GetEnterprise();
    return Write<PxVQPackInformationPtr>({enterprise}, IDS_CANNOT_CREATE_PACK, [&] {
        PxVQPackInformationPtr pack = enterprise->CreatePackInformation(name);
        pack->SetPackType(packType);
        return pack;
    });
}

PxVQSystemPtr VqsTransactionEnterprise::CreateSystem(LPCTSTR name, LPCTSTR shortName, LPCTSTR description,
                                                     LPCTSTR runtimeVersionIdentifier, int resetReportCount,
                                                     int resetVersionNumber)
{
    PxVQEnterprisePtr enterprise = GetEnterprise();
    return Write<PxVQSystemPtr>({enterprise}, IDS_CANNOT_CREATE_SYSTEM, [&] {
        GUID buildVersion{};
        if (FAILED(CoCreateGuid(&buildVersion))) {
            SetFailed();
            VqsErrorBoxId(IDS_NO_GUID_FOR_SYSTEM);
            return PxVQSystemPtr();
        }
        PxVQSystemPtr system = enterprise->CreateSystem(RepositoryName(name, shortName));
        if (AllowLongNames())
            system->SetLongName(name);
        system->SetDescription(description);
        system->SetRuntimeVersionIdentifier(runtimeVersionIdentifier);
        system->SetResetReportCount(resetReportCount);
        system->SetResetVersionNumber(resetVersionNumber);
        system->SetSystemVersionNumber(1);
        system->GetCurConfig()->SetBuildVersionGUID(buildVersion);
        return system;
    });
}
