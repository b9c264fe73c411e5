#include "options_nt_unix/VqsOptionPageNTUnixBSegOLTP.h"

#include "options_nt_unix/VqsNTUnixPackLists.h"
#include "shell/VqsMsgBox.h"

namespace {

constexpr UINT IDS_OLTP_NOT_SUPPORTED = 62144;

constexpr int IDC_DEFAULT_SERVICE = 1229;
constexpr int IDC_DIRECTORY = 1230;
constexpr int IDC_PACK = 1431;
constexpr int IDC_NAME = 1404;
constexpr int IDC_MAX_SERVERS = 1410;
constexpr int IDC_IPC_KEY = 1034;

constexpr int kNoValidation = 0;
constexpr int kNotNil = 4;
constexpr int kMaxServersCharacters = 2;
constexpr int kIpcKeyCharacters = 6;

// The text without blanks at both ends, kept by the binder too.
void TrimShown(VqsOptCtrlString& binder)
{
    if (binder.IsNotAvailable())
        return;
    CString text = binder.GetValue();
    text.Trim();
    binder.SetValue(text);
}

} // namespace

BOOL VqsNTOltpTraits::IsAbsoluteDirectory(const CString& directory)
{
    return directory.GetLength() >= 2 && (directory[1] == ':' || (directory[0] == '\\' && directory[1] == '\\'));
}

BOOL VqsUnixOltpTraits::IsAbsoluteDirectory(const CString& directory)
{
    return !directory.IsEmpty() && directory[0] == '/';
}

template <class Traits>
VqsOptionPagePlatformBSegOLTP<Traits>::VqsOptionPagePlatformBSegOLTP(VqsOptions_BSeg_Sheet* sheet, UINT dialogId,
                                                                     int pageIndex)
    : VqsOptionPageBSegOLTP(sheet, dialogId, pageIndex),
      m_defaultService(m_table.Text(IDC_DEFAULT_SERVICE, VQS_TEXT_OPTION(Platform, DefService),
                                    kNoValidation, Traits::kNameChange)),
      m_directory(m_table.Text(IDC_DIRECTORY, VQS_TEXT_OPTION(Platform, OLTPDirectory),
                               Traits::kDirectoryValidator, VqsOptionTable::Validate)),
      m_pack(m_table.Combo(IDC_PACK, VQS_TEXT_OPTION(Platform, OLTPOnPack), Traits::kPackValidator)),
      m_name(m_table.Text(IDC_NAME, VQS_TEXT_OPTION(Platform, OLTPName), kNotNil, Traits::kNameChange)),
      m_maxServers(m_table.Number(IDC_MAX_SERVERS, VQS_NUMBER_OPTION(Platform, MaxServers))),
      m_ipcKey(m_table.Number(IDC_IPC_KEY, VQS_NUMBER_OPTION(Platform, IPCKey)))
{
}

template <class Traits>
typename Traits::Record& VqsOptionPagePlatformBSegOLTP<Traits>::PlatformRecord() const
{
    return dynamic_cast<Platform&>(Record());
}

template <class Traits>
BOOL VqsOptionPagePlatformBSegOLTP<Traits>::OnInitDialog()
{
    VqsOptionPageBSegOLTP::OnInitDialog();
    if (Traits::kShowsNotSupportedNotice)
        VqsMessageBoxId(IDS_OLTP_NOT_SUPPORTED);
    std::int64_t upper = 0;
    if (PlatformRecord().HasUpperLimitMaxServers(upper))
        m_maxServers.SetTextLimit(kMaxServersCharacters, 0);
    if (PlatformRecord().HasUpperLimitIPCKey(upper))
        m_ipcKey.SetTextLimit(kIpcKeyCharacters, 0);
    return TRUE;
}

template <class Traits>
void VqsOptionPagePlatformBSegOLTP<Traits>::StoreOptions()
{
    if (Traits::kShowsNotSupportedNotice && m_enableOltp.m_bValue)
        VqsMessageBoxId(IDS_OLTP_NOT_SUPPORTED);
    TrimShown(m_defaultService);
    TrimShown(m_directory);
    TrimShown(m_name);
    VqsOptionPageBSegOLTP::StoreOptions();
}

template <class Traits>
void VqsOptionPagePlatformBSegOLTP<Traits>::AdjustLoadedValues()
{
    VqsOptionPageBSegOLTP::AdjustLoadedValues();
    vqsntunix::OfferChoices(m_pack, vqsntunix::EnterprisePacks(vqsntunix::PackList::Path));
}

template <class Traits>
void VqsOptionPagePlatformBSegOLTP<Traits>::EnableDependentControls()
{
    VqsOptionPageBSegOLTP::EnableDependentControls();
    EnableServerControls();
}

template <class Traits>
void VqsOptionPagePlatformBSegOLTP<Traits>::OnOptionTaken(UINT id)
{
    if (id == IDC_DIRECTORY)
        EnablePackByDirectory();
    else
        VqsOptionPageBSegOLTP::OnOptionTaken(id);
}

template <class Traits>
void VqsOptionPagePlatformBSegOLTP<Traits>::EnableServerControls()
{
    const BOOL server = IsServer();
    for (VqsOptCtrl* control : std::initializer_list<VqsOptCtrl*>{&m_defaultService, &m_directory, &m_name,
                                                                  &m_maxServers, &m_ipcKey})
        control->Enable(server);
    if (server)
        EnablePackByDirectory();
    else
        m_pack.Enable(FALSE);
}

template <class Traits>
void VqsOptionPagePlatformBSegOLTP<Traits>::EnablePackByDirectory()
{
    CString directory = m_directory.GetValue();
    directory.TrimLeft();
    if (!m_directory.IsNotAvailable())
        m_directory.SetValue(directory);
    m_pack.Enable(!Traits::IsAbsoluteDirectory(directory));
}

template class VqsOptionPagePlatformBSegOLTP<VqsNTOltpTraits>;
template class VqsOptionPagePlatformBSegOLTP<VqsUnixOltpTraits>;
