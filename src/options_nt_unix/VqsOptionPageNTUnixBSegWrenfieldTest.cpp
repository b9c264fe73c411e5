#include "options_nt_unix/VqsOptionPageNTUnixBSegWrenfieldTest.h"

namespace {

constexpr UINT IDS_WRENFIELD_TEST = 62008;
constexpr UINT IDC_HOST_DATABASE_ACCESS = 2046;
constexpr int kPortCharacters = 4;

} // namespace

template <class Traits>
VqsOptionPagePlatformBSegWrenfieldTest<Traits>::VqsOptionPagePlatformBSegWrenfieldTest(VqsOptions_BSeg_Sheet* sheet,
                                                                                       UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_WRENFIELD_TEST, pageIndex),
      m_remoteCall(m_table.Flag(Traits::kRemoteCall, VQS_OPTION(PxBSegOptions, EnableRemoteCall))),
      m_dataTranslation(m_table.Flag(Traits::kDataTranslation, VQS_OPTION(PxBSegOptions, LrssDataTranslationExist))),
      m_port(m_table.Number(Traits::kPort, VQS_NUMBER_OPTION(PxBSegOptions, HDBAPortNumber))),
      m_useDefaultPort(m_table.DefaultBox(Traits::kUseDefaultPort, Traits::kPort))
{
    if constexpr (Traits::kHasHostDatabaseAccess)
        m_pHostDatabaseAccess =
            &m_table.Flag(IDC_HOST_DATABASE_ACCESS, VQS_OPTION(Platform, EnableHDBA));
}

template <class Traits>
BOOL VqsOptionPagePlatformBSegWrenfieldTest<Traits>::OnInitDialog()
{
    VqsTableOptionPage::OnInitDialog();
    std::int64_t upper = 0;
    if (dynamic_cast<const PxBSegOptions&>(Record()).HasUpperLimitHDBAPortNumber(upper))
        m_port.SetTextLimit(kPortCharacters, 0);
    return TRUE;
}

template <class Traits>
BOOL VqsOptionPagePlatformBSegWrenfieldTest<Traits>::IsServerActive() const
{
    return m_remoteCall.m_bValue || (m_pHostDatabaseAccess && m_pHostDatabaseAccess->m_bValue);
}

template <class Traits>
void VqsOptionPagePlatformBSegWrenfieldTest<Traits>::EnableDependentControls()
{
    m_useDefaultPort.Enable(IsServerActive());
    m_port.Enable(IsServerActive() && !m_useDefaultPort.m_bValue && !m_port.IsNotAvailable());
    m_dataTranslation.Enable(m_remoteCall.m_bValue);
}

template <class Traits>
void VqsOptionPagePlatformBSegWrenfieldTest<Traits>::OnOptionTaken(UINT id)
{
    if (id == Traits::kRemoteCall || id == IDC_HOST_DATABASE_ACCESS || id == Traits::kUseDefaultPort) {
        EnableDependentControls();
        UpdateData(FALSE);
    }
}

template class VqsOptionPagePlatformBSegWrenfieldTest<VqsNTWrenfieldTraits>;
template class VqsOptionPagePlatformBSegWrenfieldTest<VqsUnixWrenfieldTraits>;
