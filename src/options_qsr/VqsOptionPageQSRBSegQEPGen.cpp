#include "options_qsr/VqsOptionPageQSRBSegQEPGen.h"

#include "options/VqsEnterprisePackNames.h"
#include "options_qsr/VqsOptionsBSegQSRSheet.h"
#include "proxy/PxVQBSSoftLink.h"
#include "shell/VqsMsgBox.h"

namespace {

constexpr UINT IDS_CONFIGURE_QEP_GEN = 61591;

constexpr int IDC_RDB_GENERATE_SET = 1273;
constexpr int IDC_QEP_GENERATE_SET = 1274;
constexpr int IDC_MODEL_BASE_GENERATE_SET = 1275;
constexpr int IDC_TARGET_HOST = 1400;
constexpr int IDC_LANGUAGE = 1071;
constexpr int IDC_HOST_USERCODE = 1185;
constexpr int IDC_CONFIGURE_WORK_PACK = 1276;
constexpr int IDC_HOST_DICTIONARY_PACK = 1106;
constexpr int IDC_RETAIN_EXISTING_DB = 1186;
constexpr int IDC_INITIALISE_NEW_DB = 1187;
constexpr int IDC_NEW_CLONED_SECONDARY_DB = 1188;
constexpr int IDC_RETAIN_SECONDARY_DB = 1189;
constexpr int IDC_USE_DEFAULT_SETTING = 1190;
constexpr int IDC_GENERATE_WORK_PACK = 1277;
constexpr int IDC_KORAX_USERCODE = 1151;
constexpr int IDC_KORAX_PACK = 1152;
constexpr int IDC_USERCODE = 1154;
constexpr int IDC_ACCESS_CODE = 1155;
constexpr int IDC_CHARGE_CODE = 1156;
constexpr int IDC_GENERATE_FAMILY = 1158;

constexpr int kNoValidation = 0;
constexpr int kUserCodeValidator = 15;
constexpr int kPackNameOrEmpty = 4;
constexpr int kUseDefaultSetting = 4;
constexpr int kLanguageSlots = 15;

} // namespace

VqsOptionPageQSRBSegQEPGen::VqsOptionPageQSRBSegQEPGen(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_CONFIGURE_QEP_GEN, pageIndex), m_pQSRSheet(sheet),
      m_rdbGenerateSet(m_table.Flag(IDC_RDB_GENERATE_SET, VQS_OPTION(PxQSRBSegOptions, ConfigRDBGenSet))),
      m_language(m_table.Combo(IDC_LANGUAGE, VQS_TEXT_OPTION(PxQSRBSegOptions, ConfigLanguage), kNoValidation)),
      m_configureWorkPack(m_table.Combo(IDC_CONFIGURE_WORK_PACK, VQS_TEXT_OPTION(PxQSRBSegOptions, ConfigWorkPack),
                                        kPackNameOrEmpty)),
      m_dictionaryPack(m_table.Combo(IDC_HOST_DICTIONARY_PACK, VQS_TEXT_OPTION(PxQSRBSegOptions, ConfigDictPack),
                                     kPackNameOrEmpty)),
      m_generateWorkPack(m_table.Combo(IDC_GENERATE_WORK_PACK, VQS_TEXT_OPTION(PxQSRBSegOptions, GenWorkPack),
                                       kPackNameOrEmpty)),
      m_rows(&m_connector),
      m_existingDatabase(&m_connector, IDC_RETAIN_EXISTING_DB, IDC_INITIALISE_NEW_DB, IDC_NEW_CLONED_SECONDARY_DB,
                         IDC_RETAIN_SECONDARY_DB, IDC_USE_DEFAULT_SETTING)
{
    m_table.Flag(IDC_QEP_GENERATE_SET, VQS_OPTION(PxQSRBSegOptions, ConfigQEPGenSet));
    m_table.Text(IDC_MODEL_BASE_GENERATE_SET, VQS_TEXT_OPTION(PxQSRBSegOptions, ModelBaseGenSet), kNoValidation);
    m_table.Text(IDC_TARGET_HOST, VQS_TEXT_OPTION(PxQSRBSegOptions, ConfigTargetHost), kNoValidation);
    m_table.Text(IDC_HOST_USERCODE, VQS_TEXT_OPTION(PxQSRBSegOptions, ConfigUserCode), kUserCodeValidator);
    m_table.Text(IDC_KORAX_USERCODE, VQS_TEXT_OPTION(PxQSRBSegOptions, GenKORAXUserCode), kUserCodeValidator);
    m_table.Text(IDC_KORAX_PACK, VQS_TEXT_OPTION(PxQSRBSegOptions, GenKORAXPack), kNoValidation);
    m_table.Text(IDC_USERCODE, VQS_TEXT_OPTION(PxQSRBSegOptions, GenUserCode), kUserCodeValidator);
    m_table.Text(IDC_ACCESS_CODE, VQS_TEXT_OPTION(PxQSRBSegOptions, GenAccessCode), kNoValidation);
    m_table.Text(IDC_CHARGE_CODE, VQS_TEXT_OPTION(PxQSRBSegOptions, GenChargeCode), kNoValidation);
    m_table.Text(IDC_GENERATE_FAMILY, VQS_TEXT_OPTION(PxQSRBSegOptions, GenFamily), kNoValidation);
    m_rows.Route(m_existingDatabase, VqsOptionTable::Validate,
                 {IDC_RETAIN_EXISTING_DB, IDC_INITIALISE_NEW_DB, IDC_NEW_CLONED_SECONDARY_DB, IDC_RETAIN_SECONDARY_DB,
                  IDC_USE_DEFAULT_SETTING});
}

int VqsOptionPageQSRBSegQEPGen::GetCurrentConfigRDBGenSet() const
{
    return m_hWnd ? m_rdbGenerateSet.m_bValue : m_pQSRSheet->GetQSROptions()->GetConfigRDBGenSet();
}

void VqsOptionPageQSRBSegQEPGen::LoadOptions()
{
    const CStringArray packs = VqsEnterprisePackNames();
    for (VqsOptCtrlCombo* combo : {&m_configureWorkPack, &m_dictionaryPack, &m_generateWorkPack})
        combo->SetItems(packs);
    m_language.SetItems(LanguageNames());
    VqsTableOptionPage::LoadOptions();
}

CStringArray VqsOptionPageQSRBSegQEPGen::LanguageNames() const
{
    CStringArray names;
    const PxVQBSSoftLinkPtr segment(m_pQSRSheet->GetQSROptions()->GetSoftLink());
    if (!segment)
        return names;
    for (int slot = 1; slot <= kLanguageSlots; ++slot) {
        const CString name = segment->GetLanguage(slot);
        if (!name.IsEmpty())
            names.Add(name);
    }
    return names;
}

void VqsOptionPageQSRBSegQEPGen::AdjustLoadedValues()
{
    m_existingDatabase.m_nValue = kUseDefaultSetting;
    m_bExistingDatabaseUnread = FALSE;
    const PxQSRBSegOptions& options = *m_pQSRSheet->GetQSROptions();
    try {
        // Without an own value the record has nothing to read: the host chooses.
        if (options.IsUpdatedConfigExistingDB()) {
            const int existing = options.GetConfigExistingDB();
            if (existing >= 0 && existing < kUseDefaultSetting)
                m_existingDatabase.m_nValue = existing;
        }
    } catch (const VqReportableException& error) {
        if (VqsIsLostConnection(error))
            throw;
        m_bExistingDatabaseUnread = TRUE;
    }
    m_pQSRSheet->OnRDBGenSetChanged(m_rdbGenerateSet.m_bValue);
}

BOOL VqsOptionPageQSRBSegQEPGen::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (m_rows.Take(*this, id, HIWORD(wParam)))
        OnOptionTaken(id);
    return VqsTableOptionPage::OnCommand(wParam, lParam);
}

void VqsOptionPageQSRBSegQEPGen::OnOptionTaken(UINT id)
{
    if (id == IDC_RDB_GENERATE_SET) {
        m_pQSRSheet->OnRDBGenSetChanged(m_rdbGenerateSet.m_bValue);
    } else if (id >= IDC_RETAIN_EXISTING_DB && id <= IDC_USE_DEFAULT_SETTING) {
        m_bExistingDatabaseUnread = FALSE;
        if (m_existingDatabase.m_nValue == kUseDefaultSetting) {
            m_bAtDefaults = IsNotUpdated();
            UpdateButtons();
        }
    }
}

void VqsOptionPageQSRBSegQEPGen::StoreOptions()
{
    VqsTableOptionPage::StoreOptions();
    PxQSRBSegOptions& options = *m_pQSRSheet->GetQSROptions();
    const int existing = m_existingDatabase.m_nValue;
    if (existing >= 0 && existing < kUseDefaultSetting)
        options.SetConfigExistingDB(existing);
    else if (!m_bExistingDatabaseUnread)
        options.ClearConfigExistingDB();
}

BOOL VqsOptionPageQSRBSegQEPGen::IsNotUpdated()
{
    return VqsTableOptionPage::IsNotUpdated() && !m_pQSRSheet->GetQSROptions()->IsUpdatedConfigExistingDB();
}

void VqsOptionPageQSRBSegQEPGen::ClearOptions()
{
    VqsTableOptionPage::ClearOptions();
    m_pQSRSheet->GetQSROptions()->ClearConfigExistingDB();
}
