#include "options_qsr/VqsOptionPageQSRBSegPacks.h"

#include "options/VqsEnterprisePackNames.h"
#include "options_qsr/VqsOptionsBSegQSRSheet.h"

namespace {

constexpr UINT IDS_PACK_ALLOCATION = 61565;

constexpr int IDC_DEFAULT_PACK = 1067;
constexpr int IDC_OBJECT_PACK = 1087;
constexpr int IDC_EVENT_SET = 1224;
constexpr int IDC_REORG_PACK = 1094;
constexpr int IDC_LOG_PACK = 1096;
constexpr int IDC_ROC_DB_LOCATION = 1240;
constexpr int IDC_ROC_FILE_LOCATION = 1833;
constexpr int IDC_EXTRACT_PACK = 1242;
constexpr int IDC_AUDIT_PACK = 1102;
constexpr int IDC_DUPLICATE_AUDIT = 1104;
constexpr int IDC_DICTIONARY_PACK = 1106;
constexpr int IDC_DATABASE_PACK = 1108;
constexpr int IDC_STATION_INFO = 1245;
constexpr int IDC_ADHOC_INFO = 1247;

constexpr int IDC_USE_DEFAULT_OBJECT_PACK = 1089;
constexpr int IDC_USE_DEFAULT_EVENT_SET = 1093;
constexpr int IDC_USE_DEFAULT_REORG_PACK = 1095;
constexpr int IDC_USE_DEFAULT_LOG_PACK = 1097;
constexpr int IDC_USE_DEFAULT_ROC_DB_LOCATION = 1241;
constexpr int IDC_USE_DEFAULT_ROC_FILE_LOCATION = 1832;
constexpr int IDC_USE_DEFAULT_EXTRACT_PACK = 1243;
constexpr int IDC_USE_DEFAULT_AUDIT_PACK = 1103;
constexpr int IDC_USE_DEFAULT_DICTIONARY_PACK = 1244;
constexpr int IDC_USE_DEFAULT_DATABASE_PACK = 1109;
constexpr int IDC_USE_DEFAULT_STATION_INFO = 1246;
constexpr int IDC_USE_DEFAULT_ADHOC_INFO = 1248;

constexpr int kPackName = 3;
constexpr int kPackNameOrEmpty = 4;

// The tree of defaults: a pack whose box is set follows its source, in this order.
struct Follower {
    int source;
    int pack;
};
constexpr Follower kDefaultTree[] = {
    {IDC_DEFAULT_PACK, IDC_REORG_PACK},         {IDC_DEFAULT_PACK, IDC_DICTIONARY_PACK},
    {IDC_DEFAULT_PACK, IDC_DATABASE_PACK},      {IDC_DICTIONARY_PACK, IDC_EXTRACT_PACK},
    {IDC_DICTIONARY_PACK, IDC_OBJECT_PACK},     {IDC_DICTIONARY_PACK, IDC_AUDIT_PACK},
    {IDC_AUDIT_PACK, IDC_LOG_PACK},             {IDC_DATABASE_PACK, IDC_EVENT_SET},
    {IDC_DATABASE_PACK, IDC_ADHOC_INFO},        {IDC_DATABASE_PACK, IDC_ROC_DB_LOCATION},
    {IDC_DATABASE_PACK, IDC_ROC_FILE_LOCATION}, {IDC_DATABASE_PACK, IDC_STATION_INFO},
};

int SourceOf(int pack)
{
    for (const Follower& follower : kDefaultTree)
        if (follower.pack == pack)
            return follower.source;
    return 0;
}

} // namespace

VqsOptionPageQSRBSegPacks::VqsOptionPageQSRBSegPacks(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_PACK_ALLOCATION, pageIndex), m_pQSRSheet(sheet)
{
    m_combos[IDC_DEFAULT_PACK] = &m_table.Combo(IDC_DEFAULT_PACK, VQS_TEXT_OPTION(PxBSegOptions, DefPack), kPackName);
    m_combos[IDC_OBJECT_PACK] = &m_table.Combo(IDC_OBJECT_PACK, VQS_TEXT_OPTION(PxQSRBSegOptions, ObjPack), kPackName);
    m_combos[IDC_EVENT_SET] = &m_table.Combo(IDC_EVENT_SET, VQS_TEXT_OPTION(PxQSRBSegOptions, EventSet), kPackName);
    m_combos[IDC_REORG_PACK] =
        &m_table.Combo(IDC_REORG_PACK, VQS_TEXT_OPTION(PxQSRBSegOptions, ReorgPack), kPackName);
    m_combos[IDC_LOG_PACK] = &m_table.Combo(IDC_LOG_PACK, VQS_TEXT_OPTION(PxQSRBSegOptions, LogPack), kPackName);
    m_combos[IDC_ROC_DB_LOCATION] =
        &m_table.Combo(IDC_ROC_DB_LOCATION, VQS_TEXT_OPTION(PxQSRBSegOptions, ROCoutput), kPackName);
    m_combos[IDC_ROC_FILE_LOCATION] =
        &m_table.Combo(IDC_ROC_FILE_LOCATION, VQS_TEXT_OPTION(PxQSRBSegOptions, ROCFileLocation), kPackName);
    m_combos[IDC_EXTRACT_PACK] =
        &m_table.Combo(IDC_EXTRACT_PACK, VQS_TEXT_OPTION(PxQSRBSegOptions, BSExtractPack), kPackName);
    m_combos[IDC_AUDIT_PACK] = &m_table.Combo(IDC_AUDIT_PACK, VQS_TEXT_OPTION(PxQSRBSegOptions, Audit), kPackName);
    m_combos[IDC_DUPLICATE_AUDIT] =
        &m_table.Combo(IDC_DUPLICATE_AUDIT, VQS_TEXT_OPTION(PxQSRBSegOptions, DupAudit), kPackNameOrEmpty);
    m_combos[IDC_DICTIONARY_PACK] =
        &m_table.Combo(IDC_DICTIONARY_PACK, VQS_TEXT_OPTION(PxQSRBSegOptions, DictPack), kPackName);
    m_combos[IDC_DATABASE_PACK] =
        &m_table.Combo(IDC_DATABASE_PACK, VQS_TEXT_OPTION(PxQSRBSegOptions, DBPack), kPackName);
    m_combos[IDC_STATION_INFO] =
        &m_table.Combo(IDC_STATION_INFO, VQS_TEXT_OPTION(PxQSRBSegOptions, StationInfo), kPackName);
    m_combos[IDC_ADHOC_INFO] =
        &m_table.Combo(IDC_ADHOC_INFO, VQS_TEXT_OPTION(PxQSRBSegOptions, AdhocInfo), kPackName);
    const struct {
        int box;
        int combo;
    } boxes[] = {{IDC_USE_DEFAULT_OBJECT_PACK, IDC_OBJECT_PACK},
                 {IDC_USE_DEFAULT_EVENT_SET, IDC_EVENT_SET},
                 {IDC_USE_DEFAULT_REORG_PACK, IDC_REORG_PACK},
                 {IDC_USE_DEFAULT_LOG_PACK, IDC_LOG_PACK},
                 {IDC_USE_DEFAULT_ROC_DB_LOCATION, IDC_ROC_DB_LOCATION},
                 {IDC_USE_DEFAULT_ROC_FILE_LOCATION, IDC_ROC_FILE_LOCATION},
                 {IDC_USE_DEFAULT_EXTRACT_PACK, IDC_EXTRACT_PACK},
                 {IDC_USE_DEFAULT_AUDIT_PACK, IDC_AUDIT_PACK},
                 {IDC_USE_DEFAULT_DICTIONARY_PACK, IDC_DICTIONARY_PACK},
                 {IDC_USE_DEFAULT_DATABASE_PACK, IDC_DATABASE_PACK},
                 {IDC_USE_DEFAULT_STATION_INFO, IDC_STATION_INFO},
                 {IDC_USE_DEFAULT_ADHOC_INFO, IDC_ADHOC_INFO}};
    for (const auto& box : boxes) {
        m_boxes[box.combo] = &m_table.DefaultBox(box.box, box.combo);
        m_boxCombos[box.box] = box.combo;
    }
}

void VqsOptionPageQSRBSegPacks::LoadOptions()
{
    const CStringArray packs = VqsEnterprisePackNames();
    for (const auto& [id, combo] : m_combos)
        combo->SetItems(packs);
    VqsTableOptionPage::LoadOptions();
}

void VqsOptionPageQSRBSegPacks::EnableDependentControls()
{
    for (const auto& [combo, box] : m_boxes)
        m_combos.at(combo)->Enable(!box->m_bValue);
    EnableRocFileLocation(m_pQSRSheet->GetROCusesDB());
}

void VqsOptionPageQSRBSegPacks::EnableRocFileLocation(BOOL rocUsesDatabase)
{
    VqsOptCtrlFlag& box = *m_boxes.at(IDC_ROC_FILE_LOCATION);
    box.Enable(!rocUsesDatabase);
    m_combos.at(IDC_ROC_FILE_LOCATION)->Enable(!rocUsesDatabase && !box.m_bValue);
}

void VqsOptionPageQSRBSegPacks::OnROCusesDBChanged(int rocUsesDatabase)
{
    if (m_hWnd)
        EnableRocFileLocation(rocUsesDatabase == 1);
}

void VqsOptionPageQSRBSegPacks::Propagate(int source)
{
    const CString value = m_combos.at(source)->GetValue();
    for (const Follower& follower : kDefaultTree) {
        if (follower.source != source || !m_boxes.at(follower.pack)->m_bValue)
            continue;
        m_combos.at(follower.pack)->SetValue(value);
        if (follower.pack == IDC_ADHOC_INFO)
            m_pQSRSheet->SetPopsetAdhocInfo(value);
        Propagate(follower.pack);
    }
    if (source == IDC_DATABASE_PACK)
        m_pQSRSheet->SetPopsetDBPack(value);
}

void VqsOptionPageQSRBSegPacks::OnOptionTaken(UINT id)
{
    int pack = static_cast<int>(id);
    if (const auto box = m_boxCombos.find(pack); box != m_boxCombos.end()) {
        pack = box->second;
        FollowDefaultBox(pack);
    }
    switch (pack) {
    case IDC_DEFAULT_PACK:
    case IDC_DICTIONARY_PACK:
    case IDC_DATABASE_PACK:
    case IDC_AUDIT_PACK:
        Propagate(pack);
        break;
    case IDC_ROC_DB_LOCATION:
        m_pQSRSheet->SetPopsetROCoutput(m_combos.at(IDC_ROC_DB_LOCATION)->GetValue());
        break;
    case IDC_ADHOC_INFO:
        m_pQSRSheet->SetPopsetAdhocInfo(m_combos.at(IDC_ADHOC_INFO)->GetValue());
        break;
    default:
        break;
    }
    UpdateData(FALSE);
}

void VqsOptionPageQSRBSegPacks::FollowDefaultBox(int pack)
{
    const BOOL followsDefault = m_boxes.at(pack)->m_bValue;
    m_combos.at(pack)->Enable(!followsDefault);
    if (pack == IDC_ROC_FILE_LOCATION)
        EnableRocFileLocation(m_pQSRSheet->GetROCusesDB());
    if (followsDefault)
        m_combos.at(pack)->SetValue(m_combos.at(SourceOf(pack))->GetValue());
}

CString VqsOptionPageQSRBSegPacks::GetCurrentDBPack() const
{
    return m_hWnd ? m_combos.at(IDC_DATABASE_PACK)->GetValue() : m_pQSRSheet->GetQSROptions()->GetDBPack();
}

CString VqsOptionPageQSRBSegPacks::GetCurrentROCoutput() const
{
    return m_hWnd ? m_combos.at(IDC_ROC_DB_LOCATION)->GetValue() : m_pQSRSheet->GetQSROptions()->GetROCoutput();
}

CString VqsOptionPageQSRBSegPacks::GetCurrentAdhocInfo() const
{
    return m_hWnd ? m_combos.at(IDC_ADHOC_INFO)->GetValue() : m_pQSRSheet->GetQSROptions()->GetAdhocInfo();
}
