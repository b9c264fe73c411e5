#include "options_qsr/VqsOptionPageQSRBSegRemoteDB.h"

#include "options/VqsEnterprisePackNames.h"
#include "options_qsr/VqsOptionsBSegQSRSheet.h"

namespace {

constexpr UINT IDS_REMOTE_DB = 61570;

constexpr int IDC_TIMEOUT_FROM_PRIMARY = 1191;
constexpr int IDC_TIMEOUT_FROM_SECONDARY = 1192;
constexpr int IDC_WORKERS = 1197;
constexpr int IDC_ACK_RATE = 1204;
constexpr int IDC_SYNC_RESTART_INTERVAL = 1205;
constexpr int IDC_DELAY_AUDIT_REMOVAL = 1206;
constexpr int IDC_AUDIT_BLOCK_WRITE = 1193;
constexpr int IDC_AUDIT_FILE_SWITCH = 1194;
constexpr int IDC_SERVER_CAPABLE = 1195;
constexpr int IDC_NOT_SERVER_CAPABLE = 1196;
constexpr int IDC_VELQUIST_FILE_TRANSFER = 1202;
constexpr int IDC_NATIVE_FILE_TRANSFER = 1203;
constexpr int IDC_CONNECTION_DROPPED = 1198;
constexpr int IDC_OPERATOR_INTERVENTION = 1199;

// The controls of each dump.
struct DumpIds {
    int name;
    int onPack;
    int onTape;
    int pack;
    int serialNumber;
    int cycle;
    int version;
    int density;
};
constexpr DumpIds kDumpIds[] = {{1207, 1208, 1209, 1210, 1211, 1212, 1213, 1214},
                                {1215, 1216, 1217, 1218, 1219, 1220, 1221, 1222},
                                {1231, 1232, 1233, 1234, 1235, 1236, 1237, 1238}};

constexpr int kNoValidation = 0;
constexpr int kPackNameOrEmpty = 4;
constexpr int kOnPack = 0;
constexpr int kOnTape = 1;
constexpr int kAuditBlockWrite = 0;
constexpr int kTransmissionModes = 4;
constexpr int kDumpNumberCharacters = 6;

// The most characters of a bounded number edit.
struct NumberWidth {
    BOOL (PxQSRBSegOptions::*upperLimit)(std::int64_t&) const;
    int characters;
};

// The dump kind's values are the other way round from its buttons: 1 is on pack.
int DumpKindButton(int kind) { return kind == PxConfigDumpKindOnPack ? kOnPack : kOnTape; }
PxEnumConfigDumpKind DumpKindOf(int button)
{
    return button == kOnPack ? PxConfigDumpKindOnPack : PxConfigDumpKindOnTape;
}

// A value outside the buttons shows the first one.
int ButtonOf(int value, int buttons) { return value >= 0 && value < buttons ? value : 0; }

} // namespace

VqsOptionPageQSRBSegRemoteDB::VqsOptionPageQSRBSegRemoteDB(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId,
                                                           int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_REMOTE_DB, pageIndex), m_pQSRSheet(sheet),
      m_delayAuditRemoval(
          m_table.Flag(IDC_DELAY_AUDIT_REMOVAL, VQS_OPTION(PxQSRBSegOptions, ConfigDelayAuditRemoval))),
      m_timeoutFromPrimary(
          m_table.Number(IDC_TIMEOUT_FROM_PRIMARY, VQS_NUMBER_OPTION(PxQSRBSegOptions, ConfigTimeoutFromPrimary))),
      m_timeoutFromSecondary(m_table.Number(IDC_TIMEOUT_FROM_SECONDARY,
                                            VQS_NUMBER_OPTION(PxQSRBSegOptions, ConfigTimeoutFromSecondary))),
      m_workers(m_table.Number(IDC_WORKERS, VQS_NUMBER_OPTION(PxQSRBSegOptions, ConfigWorkers))),
      m_ackRate(m_table.Number(IDC_ACK_RATE, VQS_NUMBER_OPTION(PxQSRBSegOptions, ConfigAckRate))),
      m_syncRestartInterval(m_table.Number(IDC_SYNC_RESTART_INTERVAL,
                                           VQS_NUMBER_OPTION(PxQSRBSegOptions, ConfigSyncRestartInterval))),
      m_rows(&m_connector),
      m_transmissionMode(&m_connector, IDC_AUDIT_BLOCK_WRITE, IDC_AUDIT_FILE_SWITCH, IDC_SERVER_CAPABLE,
                         IDC_NOT_SERVER_CAPABLE),
      m_transferOption(&m_connector, IDC_VELQUIST_FILE_TRANSFER, IDC_NATIVE_FILE_TRANSFER),
      m_errorHandling(&m_connector, IDC_CONNECTION_DROPPED, IDC_OPERATOR_INTERVENTION)
{
    for (int i = 0; i < kDumps; ++i) {
        const DumpIds& ids = kDumpIds[i];
        Dump& dump = m_dumps[i];
        dump.name = &m_rows.Text(ids.name, VQS_INDEXED_TEXT_OPTION(PxQSRBSegOptions, ConfigDumpName), i, kNoValidation);
        dump.serialNumber = &m_rows.Text(ids.serialNumber,
                                         VQS_INDEXED_TEXT_OPTION(PxQSRBSegOptions, ConfigDumpSerialNo), i,
                                         kNoValidation);
        dump.pack = &m_rows.Combo(ids.pack, VQS_INDEXED_TEXT_OPTION(PxQSRBSegOptions, ConfigDumpPack), i,
                                  kPackNameOrEmpty);
        dump.cycle = &m_rows.Number(ids.cycle, VQS_INDEXED_NUMBER_OPTION(PxQSRBSegOptions, ConfigDumpCycle), i);
        dump.version =
            &m_rows.Number(ids.version, VQS_INDEXED_NUMBER_OPTION(PxQSRBSegOptions, ConfigDumpVersion), i);
        dump.density =
            &m_rows.Number(ids.density, VQS_INDEXED_NUMBER_OPTION(PxQSRBSegOptions, ConfigDumpDensity), i);
        dump.kind = std::make_unique<VqsOptCtrlRadio>(&m_connector, ids.onPack, ids.onTape);
        m_rows.Route(*dump.kind, VqsOptionTable::Validate,
                     {static_cast<UINT>(ids.onPack), static_cast<UINT>(ids.onTape)});
    }
    m_rows.Route(m_transmissionMode, VqsOptionTable::Validate,
                 {IDC_AUDIT_BLOCK_WRITE, IDC_AUDIT_FILE_SWITCH, IDC_SERVER_CAPABLE, IDC_NOT_SERVER_CAPABLE});
    m_rows.Route(m_transferOption, VqsOptionTable::Validate, {IDC_VELQUIST_FILE_TRANSFER, IDC_NATIVE_FILE_TRANSFER});
    m_rows.Route(m_errorHandling, VqsOptionTable::Validate, {IDC_CONNECTION_DROPPED, IDC_OPERATOR_INTERVENTION});
}

BOOL VqsOptionPageQSRBSegRemoteDB::OnInitDialog()
{
    VqsTableOptionPage::OnInitDialog();
    const PxQSRBSegOptions& options = *m_pQSRSheet->GetQSROptions();
    const struct {
        VqsOptCtrlInt* number;
        NumberWidth width;
    } numbers[] = {{&m_timeoutFromPrimary, {&PxQSRBSegOptions::HasUpperLimitConfigTimeoutFromPrimary, 4}},
                   {&m_timeoutFromSecondary, {&PxQSRBSegOptions::HasUpperLimitConfigTimeoutFromSecondary, 4}},
                   {&m_workers, {&PxQSRBSegOptions::HasUpperLimitConfigWorkers, 2}},
                   {&m_ackRate, {&PxQSRBSegOptions::HasUpperLimitConfigAckRate, 2}},
                   {&m_syncRestartInterval, {&PxQSRBSegOptions::HasUpperLimitConfigSyncRestartInterval, 3}}};
    std::int64_t upper = 0;
    for (const auto& number : numbers)
        if ((options.*number.width.upperLimit)(upper))
            number.number->SetTextLimit(number.width.characters, 0);
    const BOOL cycleBounded = options.HasUpperLimitConfigDumpCycle(upper);
    const BOOL versionBounded = options.HasUpperLimitConfigDumpVersion(upper);
    const BOOL densityBounded = options.HasUpperLimitConfigDumpDensity(upper);
    for (const Dump& dump : m_dumps) {
        if (cycleBounded)
            dump.cycle->SetTextLimit(kDumpNumberCharacters, 0);
        if (versionBounded)
            dump.version->SetTextLimit(kDumpNumberCharacters, 0);
        if (densityBounded)
            dump.density->SetTextLimit(kDumpNumberCharacters, 0);
    }
    return TRUE;
}

void VqsOptionPageQSRBSegRemoteDB::LoadOptions()
{
    const CStringArray packs = VqsEnterprisePackNames();
    for (const Dump& dump : m_dumps)
        dump.pack->SetItems(packs);
    VqsTableOptionPage::LoadOptions();
}

void VqsOptionPageQSRBSegRemoteDB::AdjustLoadedValues()
{
    m_rows.Load(Record());
    const PxQSRBSegOptions& options = *m_pQSRSheet->GetQSROptions();
    m_transmissionMode.m_nValue = ButtonOf(options.GetConfigFTMode(), kTransmissionModes);
    m_transferOption.m_nValue = ButtonOf(options.GetConfigFTOption(), 2);
    m_errorHandling.m_nValue = ButtonOf(options.GetConfigErrorHandling(), 2);
    for (int i = 0; i < kDumps; ++i)
        m_dumps[i].kind->m_nValue = DumpKindButton(options.GetConfigDumpKind(i));
}

void VqsOptionPageQSRBSegRemoteDB::EnableDependentControls() { EnableControls(m_pQSRSheet->GetConfigRDBGenSet()); }

void VqsOptionPageQSRBSegRemoteDB::EnableControls(int rdbGenerateSet)
{
    m_bLive = rdbGenerateSet != 0;
    for (VqsOptCtrl* control : std::initializer_list<VqsOptCtrl*>{
             &m_delayAuditRemoval, &m_transmissionMode, &m_transferOption, &m_timeoutFromPrimary,
             &m_timeoutFromSecondary, &m_workers, &m_ackRate, &m_syncRestartInterval})
        control->Enable(m_bLive);
    for (const Dump& dump : m_dumps) {
        dump.name->Enable(m_bLive);
        dump.kind->Enable(m_bLive);
        EnableDump(dump, m_bLive);
    }
    m_errorHandling.Enable(m_bLive && m_transmissionMode.m_nValue == kAuditBlockWrite);
}

void VqsOptionPageQSRBSegRemoteDB::EnableDump(const Dump& dump, BOOL live)
{
    const BOOL onTape = dump.kind->m_nValue == kOnTape;
    dump.pack->Enable(live && !onTape);
    for (VqsOptCtrl* control : std::initializer_list<VqsOptCtrl*>{dump.serialNumber, dump.cycle, dump.version,
                                                                  dump.density})
        control->Enable(live && onTape);
}

void VqsOptionPageQSRBSegRemoteDB::OnRDBGenSetChanged(int rdbGenerateSet)
{
    if (m_hWnd)
        EnableControls(rdbGenerateSet);
}

BOOL VqsOptionPageQSRBSegRemoteDB::IsDumpKindButton(UINT id, int& dump) const
{
    for (dump = 0; dump < kDumps; ++dump)
        if (static_cast<int>(id) == kDumpIds[dump].onPack || static_cast<int>(id) == kDumpIds[dump].onTape)
            return TRUE;
    return FALSE;
}

BOOL VqsOptionPageQSRBSegRemoteDB::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (m_rows.Take(*this, id, HIWORD(wParam))) {
        int dump = 0;
        if (IsDumpKindButton(id, dump))
            EnableDump(m_dumps[dump], m_bLive);
        else if (id >= IDC_AUDIT_BLOCK_WRITE && id <= IDC_NOT_SERVER_CAPABLE)
            m_errorHandling.Enable(m_bLive && m_transmissionMode.m_nValue == kAuditBlockWrite);
    }
    return VqsTableOptionPage::OnCommand(wParam, lParam);
}

void VqsOptionPageQSRBSegRemoteDB::StoreOptions()
{
    VqsTableOptionPage::StoreOptions();
    m_rows.Store(Record());
    PxQSRBSegOptions& options = *m_pQSRSheet->GetQSROptions();
    const int mode = m_transmissionMode.m_nValue;
    options.SetConfigFTMode(static_cast<PxEnumConfigFTMode>(mode >= 0 && mode <= 2 ? mode : 3));
    options.SetConfigErrorHandling(static_cast<PxEnumConfigErrorHandling>(m_errorHandling.m_nValue == 0 ? 0 : 1));
    options.SetConfigFTOption(static_cast<PxEnumConfigFTOption>(m_transferOption.m_nValue == 0 ? 0 : 1));
    for (int i = 0; i < kDumps; ++i)
        options.SetConfigDumpKind(i, DumpKindOf(m_dumps[i].kind->m_nValue));
}

BOOL VqsOptionPageQSRBSegRemoteDB::IsNotUpdated()
{
    const PxQSRBSegOptions& options = *m_pQSRSheet->GetQSROptions();
    BOOL updated = options.IsUpdatedConfigFTMode() || options.IsUpdatedConfigFTOption() ||
                   options.IsUpdatedConfigErrorHandling();
    for (int i = 0; i < kDumps; ++i)
        updated = updated || options.IsUpdatedConfigDumpKind(i);
    return !updated && VqsTableOptionPage::IsNotUpdated() && m_rows.IsNotUpdated(Record());
}

void VqsOptionPageQSRBSegRemoteDB::ClearOptions()
{
    VqsTableOptionPage::ClearOptions();
    m_rows.Clear(Record());
    PxQSRBSegOptions& options = *m_pQSRSheet->GetQSROptions();
    options.ClearConfigFTMode();
    options.ClearConfigFTOption();
    options.ClearConfigErrorHandling();
    for (int i = 0; i < kDumps; ++i)
        options.ClearConfigDumpKind(i);
}
