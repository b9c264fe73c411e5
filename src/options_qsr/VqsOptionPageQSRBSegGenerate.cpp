#include "options_qsr/VqsOptionPageQSRBSegGenerate.h"

#include "options/VqsLimitDigits.h"
#include "options_qsr/VqsOptionsBSegQSRSheet.h"

namespace {

constexpr int IDC_USE_DATA_INVOCATION = 1147;
constexpr int IDC_SORT_ON_REORG = 1149;
constexpr int IDC_CLONE_DATABASE = 1150;
constexpr int IDC_VARN_WINDOW = 1278;
constexpr int IDC_USE_DEFAULT_VARN_WINDOW = 1069;
constexpr int IDC_KORAX_USERCODE = 1437;
constexpr int IDC_KORAX_PACK = 1438;
constexpr int IDC_RDB_GENERATE_SET = 1153;
constexpr int IDC_USER_CODE = 1439;
constexpr int IDC_USE_DEFAULT_USER_CODE = 1070;
constexpr int IDC_ACCESS_CODE = 1440;
constexpr int IDC_CHARGE_CODE = 1441;
constexpr int IDC_ZAL_FAMILY = 1157;
constexpr int IDC_PARALLEL_COMPILES = 1259;
constexpr int IDC_REORG_TASKS = 1262;
constexpr int IDC_REORG_ALLOWED_CORE = 1159;
constexpr int IDC_KORAX_OFFLINE = 1769;
constexpr int IDC_OFFLINE_NO_POSTDUMP = 1770;
constexpr int IDC_ONLINE_REORGANIZATION = 1771;

constexpr int kNoValidation = 0;
constexpr int kUserCodeValidator = 15;
constexpr int kParallelCompilesCharacters = 2;
constexpr int kReorgTasksCharacters = 4;
constexpr int kReorgAllowedCoreCharacters = 7;
constexpr int kNoRestartChoices = 3;

BOOL IsNoRestartChoice(int value) { return value >= 0 && value < kNoRestartChoices; }

} // namespace

VqsOptionPageQSRBSegGenerate::VqsOptionPageQSRBSegGenerate(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId,
                                                           int pageIndex)
    : VqsOptionPageBSegGenerate(sheet, dialogId, pageIndex), m_pQSRSheet(sheet),
      m_parallelCompiles(
          m_table.Number(IDC_PARALLEL_COMPILES, VQS_NUMBER_OPTION(PxBSegOptions, ParallelCompiles))),
      m_reorgTasks(m_table.Number(IDC_REORG_TASKS, VQS_NUMBER_OPTION(PxQSRBSegOptions, ReorgTasks))),
      m_reorgAllowedCore(
          m_table.Number(IDC_REORG_ALLOWED_CORE, VQS_NUMBER_OPTION(PxQSRBSegOptions, ReorgAllowedcore))),
      m_rows(&m_connector),
      m_noRestartOnReorg(&m_connector, IDC_KORAX_OFFLINE, IDC_OFFLINE_NO_POSTDUMP, IDC_ONLINE_REORGANIZATION)
{
    m_table.Flag(IDC_USE_DATA_INVOCATION, VQS_OPTION(PxQSRBSegOptions, UseDataInvocation));
    m_table.Flag(IDC_SORT_ON_REORG, VQS_OPTION(PxQSRBSegOptions, SortOnReorg));
    m_table.Flag(IDC_CLONE_DATABASE, VQS_OPTION(PxQSRBSegOptions, CloneDB));
    m_table.Text(IDC_VARN_WINDOW, VQS_TEXT_OPTION(PxQSRBSegOptions, VARNwindow), kNoValidation);
    m_table.DefaultBox(IDC_USE_DEFAULT_VARN_WINDOW, IDC_VARN_WINDOW);
    m_table.Text(IDC_KORAX_USERCODE, VQS_TEXT_OPTION(PxQSRBSegOptions, KORAXusercode), kUserCodeValidator);
    m_table.Text(IDC_KORAX_PACK, VQS_TEXT_OPTION(PxQSRBSegOptions, KORAXpack), kNoValidation);
    m_table.Text(IDC_RDB_GENERATE_SET, VQS_TEXT_OPTION(PxQSRBSegOptions, RDBGenSet), kNoValidation);
    m_table.Text(IDC_USER_CODE, VQS_TEXT_OPTION(PxQSRBSegOptions, UserCode), kUserCodeValidator);
    m_table.DefaultBox(IDC_USE_DEFAULT_USER_CODE, IDC_USER_CODE);
    m_table.Text(IDC_ACCESS_CODE, VQS_TEXT_OPTION(PxQSRBSegOptions, Accesscode), kNoValidation);
    m_table.Text(IDC_CHARGE_CODE, VQS_TEXT_OPTION(PxQSRBSegOptions, Chargecode), kNoValidation);
    m_table.Text(IDC_ZAL_FAMILY, VQS_TEXT_OPTION(PxQSRBSegOptions, ZALfamily), kNoValidation);
    m_rows.Route(m_noRestartOnReorg, VqsOptionTable::Validate,
                 {IDC_KORAX_OFFLINE, IDC_OFFLINE_NO_POSTDUMP, IDC_ONLINE_REORGANIZATION});
}

BOOL VqsOptionPageQSRBSegGenerate::OnInitDialog()
{
    VqsOptionPageBSegGenerate::OnInitDialog();
    const PxQSRBSegOptionsPtr& options = m_pQSRSheet->GetQSROptions();
    LimitDigits(m_parallelCompiles, *options, &PxQSRBSegOptions::HasUpperLimitParallelCompiles,
                kParallelCompilesCharacters);
    LimitDigits(m_reorgTasks, *options, &PxQSRBSegOptions::HasUpperLimitReorgTasks, kReorgTasksCharacters);
    LimitDigits(m_reorgAllowedCore, *options, &PxQSRBSegOptions::HasUpperLimitReorgAllowedcore,
                kReorgAllowedCoreCharacters);
    return TRUE;
}

void VqsOptionPageQSRBSegGenerate::AdjustLoadedValues()
{
    VqsOptionPageBSegGenerate::AdjustLoadedValues();
    const int noRestart = m_pQSRSheet->GetQSROptions()->GetNoRestartOnReorg();
    if (IsNoRestartChoice(noRestart))
        m_noRestartOnReorg.m_nValue = noRestart;
}

void VqsOptionPageQSRBSegGenerate::OnOptionTaken(UINT id)
{
    if (id == IDC_USE_DEFAULT_VARN_WINDOW || id == IDC_USE_DEFAULT_USER_CODE)
        UpdateData(FALSE);
}

BOOL VqsOptionPageQSRBSegGenerate::OnCommand(WPARAM wParam, LPARAM lParam)
{
    m_rows.Take(*this, LOWORD(wParam), HIWORD(wParam));
    return VqsOptionPageBSegGenerate::OnCommand(wParam, lParam);
}

void VqsOptionPageQSRBSegGenerate::StoreOptions()
{
    VqsOptionPageBSegGenerate::StoreOptions();
    const int noRestart = m_noRestartOnReorg.m_nValue;
    m_pQSRSheet->GetQSROptions()->SetNoRestartOnReorg(
        static_cast<PxEnumNoRestartOnReorg>(IsNoRestartChoice(noRestart) ? noRestart : 0));
}

BOOL VqsOptionPageQSRBSegGenerate::IsNotUpdated()
{
    return VqsOptionPageBSegGenerate::IsNotUpdated() && !m_pQSRSheet->GetQSROptions()->IsUpdatedNoRestartOnReorg();
}

void VqsOptionPageQSRBSegGenerate::ClearOptions()
{
    VqsOptionPageBSegGenerate::ClearOptions();
    m_pQSRSheet->GetQSROptions()->ClearNoRestartOnReorg();
}
