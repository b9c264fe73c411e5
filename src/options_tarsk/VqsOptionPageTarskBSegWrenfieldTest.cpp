#include "options_tarsk/VqsOptionPageTarskBSegWrenfieldTest.h"

#include "hosttrans/hostTransLang.h"
#include "options_tarsk/VqsOptionsBSegTarskSheet.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQBSSoftLink.h"
#include "shell/VqsSysApp.h"

namespace {

constexpr UINT IDS_WRENFIELD_TEST = 61567;

constexpr int IDC_ENABLE_HDBA = 2024;
constexpr int IDC_ENABLE_REMOTE_CALL = 2025;
constexpr int IDC_DATA_TRANSLATION = 2026;
constexpr int IDC_USE_DEFAULT_PORT = 2027;
constexpr int IDC_USE_DEFAULT_SECURITY = 2028;
constexpr int IDC_PORT_NUMBER = 2029;
constexpr int IDC_SECURITY_ENVIRONMENT = 2030;
constexpr int IDC_SITE_AUTHENTICATION = 33102;
constexpr int IDC_CODE_SET = 33100;
constexpr int IDC_USE_DEFAULT_CODE_SET = 33101;

constexpr int kNoValidation = 0;
constexpr int kPortCharacters = 4;
constexpr int kCodeSetNameSize = 50;
constexpr const char* kNoCodeSet = "NONE";

// The name of a code set; empty when the library does not give one.
CString CodeSetName(int id)
{
    char name[kCodeSetNameSize] = "";
    return hostTransLang::GetLangStrFromId(id, name, kCodeSetNameSize) ? CString(name) : CString();
}

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionPageTarskBSegWrenfieldTest, VqsTableOptionPage)
    ON_CBN_EDITCHANGE(IDC_CODE_SET, &VqsOptionPageTarskBSegWrenfieldTest::OnCodeSetChanged)
    ON_CBN_SELCHANGE(IDC_CODE_SET, &VqsOptionPageTarskBSegWrenfieldTest::OnCodeSetChanged)
    ON_BN_CLICKED(IDC_USE_DEFAULT_CODE_SET, &VqsOptionPageTarskBSegWrenfieldTest::OnCodeSetDefaultChanged)
END_MESSAGE_MAP()

VqsOptionPageTarskBSegWrenfieldTest::VqsOptionPageTarskBSegWrenfieldTest(VqsOptions_BSeg_Tarsk_Sheet* sheet,
                                                                         UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_WRENFIELD_TEST, pageIndex), m_pTarskSheet(sheet),
      m_bJapaneseSupport(HasJapaneseSupport()),
      m_enableHdba(m_table.Flag(IDC_ENABLE_HDBA, VQS_OPTION(PxTarskBSegOptions, EnableHDBA))),
      m_enableRemoteCall(m_table.Flag(IDC_ENABLE_REMOTE_CALL, VQS_OPTION(PxBSegOptions, EnableRemoteCall))),
      m_dataTranslation(m_table.Flag(IDC_DATA_TRANSLATION, VQS_OPTION(PxBSegOptions, LrssDataTranslationExist))),
      m_securityEnvironment(m_table.Text(IDC_SECURITY_ENVIRONMENT,
                                         VQS_TEXT_OPTION(PxTarskBSegOptions, LrssSecurityEnvironment),
                                         kNoValidation)),
      m_useDefaultSecurity(m_table.DefaultBox(IDC_USE_DEFAULT_SECURITY, IDC_SECURITY_ENVIRONMENT)),
      m_portNumber(m_table.Number(IDC_PORT_NUMBER, VQS_NUMBER_OPTION(PxBSegOptions, HDBAPortNumber))),
      m_useDefaultPort(m_table.DefaultBox(IDC_USE_DEFAULT_PORT, IDC_PORT_NUMBER)),
      m_codeSet(&m_connector, IDC_CODE_SET, kNoValidation), m_useDefaultCodeSet(&m_connector, IDC_USE_DEFAULT_CODE_SET)
{
    m_table.Flag(IDC_SITE_AUTHENTICATION, VQS_OPTION(PxTarskBSegOptions, EnableSiteAuthentication));
}

BOOL VqsOptionPageTarskBSegWrenfieldTest::HasJapaneseSupport() const
{
    VqsSysApp* app = VqsGetApp();
    const PxLSEEnterprisePtr enterprise = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
    const PxVQBSSoftLinkPtr link(m_pTarskSheet->GetTarskOptions()->GetSoftLink());
    if (!enterprise || !link)
        return FALSE;
    const PxLSEBusinessSegmentPtr segment = enterprise->GetBusinessSegment(link->GetName());
    return segment && segment->GetJapaneseSupport() ? TRUE : FALSE;
}

BOOL VqsOptionPageTarskBSegWrenfieldTest::OnInitDialog()
{
    VqsTableOptionPage::OnInitDialog();
    std::int64_t upper = 0;
    if (m_pTarskSheet->GetTarskOptions()->HasUpperLimitHDBAPortNumber(upper))
        m_portNumber.SetTextLimit(kPortCharacters, 0);
    return TRUE;
}

void VqsOptionPageTarskBSegWrenfieldTest::AdjustLoadedValues()
{
    m_useDefaultCodeSet.m_bValue = m_pTarskSheet->GetTarskOptions()->IsDefaultCodeSetTranslationNumber();
    if (!m_bJapaneseSupport)
        LoadCodeSets();
}

void VqsOptionPageTarskBSegWrenfieldTest::LoadCodeSets()
{
    CStringArray names;
    names.Add(kNoCodeSet);
    const int count = hostTransLang::GetNumLangsSupported();
    for (int id = 1; id <= count; ++id) {
        const CString name = CodeSetName(id);
        if (name.IsEmpty())
            break;
        names.Add(name);
    }
    m_codeSet.SetItems(names);
    const std::int64_t number = m_pTarskSheet->GetTarskOptions()->GetCodeSetTranslationNumber();
    m_codeSet.SetValue(number == 0 ? CString(kNoCodeSet) : CodeSetName(static_cast<int>(number)));
}

void VqsOptionPageTarskBSegWrenfieldTest::EnableDependentControls()
{
    const BOOL remoteCall = m_enableRemoteCall.m_bValue;
    const BOOL hdba = m_enableHdba.m_bValue;
    m_useDefaultPort.Enable(remoteCall || hdba);
    m_portNumber.Enable(!m_useDefaultPort.m_bValue && (remoteCall || hdba));
    m_useDefaultSecurity.Enable(remoteCall && !hdba);
    m_securityEnvironment.Enable(!m_useDefaultSecurity.m_bValue && remoteCall && !hdba);
    m_dataTranslation.Enable(remoteCall);
    m_useDefaultCodeSet.Enable(hdba && !m_bJapaneseSupport);
    m_codeSet.Enable(hdba && !m_useDefaultCodeSet.m_bValue && !m_bJapaneseSupport);
}

void VqsOptionPageTarskBSegWrenfieldTest::OnOptionTaken(UINT id)
{
    switch (id) {
    case IDC_ENABLE_HDBA:
    case IDC_ENABLE_REMOTE_CALL:
    case IDC_USE_DEFAULT_PORT:
    case IDC_USE_DEFAULT_SECURITY:
        EnableDependentControls();
        UpdateData(FALSE);
        break;
    default:
        break;
    }
}

void VqsOptionPageTarskBSegWrenfieldTest::OnCodeSetDefaultChanged()
{
    if (!OnOptionChanged(&m_useDefaultCodeSet, TRUE))
        return;
    m_codeSet.Enable(!m_useDefaultCodeSet.m_bValue && !m_bJapaneseSupport);
    if (m_useDefaultCodeSet.m_bValue) {
        m_codeSet.SetValue(kNoCodeSet);
        UpdateData(FALSE);
    }
}

std::optional<int> VqsOptionPageTarskBSegWrenfieldTest::ShownCodeSetNumber() const
{
    const CString shown = m_codeSet.GetValue();
    const int count = hostTransLang::GetNumLangsSupported();
    if (count < 0)
        return std::nullopt;
    for (int id = 1; id <= count; ++id) {
        const CString name = CodeSetName(id);
        if (name.IsEmpty())
            return std::nullopt;
        if (name.CompareNoCase(shown) == 0)
            return id;
    }
    return 0;
}

void VqsOptionPageTarskBSegWrenfieldTest::StoreOptions()
{
    VqsTableOptionPage::StoreOptions();
    PxTarskBSegOptions& options = *m_pTarskSheet->GetTarskOptions();
    if (m_useDefaultCodeSet.m_bValue)
        options.MakeDefaultCodeSetTranslationNumber();
    else if (!m_bJapaneseSupport)
        if (const std::optional<int> number = ShownCodeSetNumber())
            options.SetCodeSetTranslationNumber(*number);
}

BOOL VqsOptionPageTarskBSegWrenfieldTest::IsNotUpdated()
{
    return VqsTableOptionPage::IsNotUpdated() && !m_pTarskSheet->GetTarskOptions()->IsUpdatedCodeSetTranslationNumber();
}

void VqsOptionPageTarskBSegWrenfieldTest::ClearOptions()
{
    VqsTableOptionPage::ClearOptions();
    m_pTarskSheet->GetTarskOptions()->ClearCodeSetTranslationNumber();
}
