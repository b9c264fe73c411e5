#include "options_nt_unix/VqsOptionPageUnixOracledb.h"

#include "options/VqsOptionTable.h"
#include "options/VqsOptionsSheet.h"
#include "options_nt_unix/VqsNTUnixDesign.h"
#include "options_nt_unix/VqsNTUnixPackLists.h"
#include "options_nt_unix/VqsNTUnixStorageOptions.h"
#include "proxy/PxTypedList.h"
#include "shell/VqsExceptionData.h"
#include "shell/VqsMsgBox.h"
#include "win/CDataExchange.h"

#include <algorithm>

namespace {

using namespace vqsstorage;

constexpr UINT IDS_ORACLE = 61959;
constexpr UINT IDS_OPTIONS_CHANGED = 61503;
constexpr UINT IDS_TRANSACTIONS_NOT_GREATER = 61987;
constexpr UINT IDS_PERCENT_SUM = 61988;
constexpr UINT IDS_INITIAL_EXTENT_SMALL = 61989;
constexpr UINT IDS_NEXT_EXTENT_SMALL = 61990;
constexpr UINT IDS_INITIAL_TRANSACTIONS_SMALL = 61991;
constexpr UINT IDS_MAX_TRANSACTIONS_SMALL = 61992;
constexpr UINT IDS_PACK_NOT_DEFINED = 62146;

constexpr UINT IDC_PARTITION = 1891;
constexpr UINT IDC_UNLIMITED = 1912;
constexpr UINT IDC_CALCULATION = 1922;
constexpr UINT IDC_POPULATION = 1899;
constexpr UINT IDC_PACK = 1900;
constexpr UINT IDC_INITIAL_UNIT = 1901;
constexpr UINT IDC_NEXT_UNIT = 1902;
constexpr UINT IDC_SCA = 1954;
constexpr UINT IDC_NONSCA = 1955;

// Per storage value (in the order of vqsstorage::Number): its "Use default" box, its edit,
// its spin (0: none) and the text limit of the edit.
constexpr std::array<UINT, kNumberCount> kDefaultBoxIds{1893, 1897, 1898, 1908, 1909, 1910, 1911, 1913, 1886};
constexpr std::array<UINT, kNumberCount> kNumberIds{1894, 1895, 1896, 1905, 1906, 1903, 1904, 1907, 1878};
constexpr std::array<UINT, kNumberCount> kSpinIds{1879, 1880, 1881, 0, 0, 1882, 1883, 1884, 1885};
constexpr std::array<int, kNumberCount> kNumberDigits{2, 2, 3, 10, 10, 5, 5, 5, 5};

constexpr int kValidatorEmpty = 0;
constexpr int kValidatorReservedWordOrNil = 4;

constexpr int kSqlChars = 840;
constexpr int kSqlLines = 20;
constexpr int kSqlLineLength = 42;

constexpr const char* kNoneDefined = "NoneDefined";
constexpr const char* kKilobytes = "Kilobytes";
constexpr const char* kMegabytes = "Megabytes";

const char kLetters[] = {'T', 'A', 'O'};

CString UnitText(std::int64_t type) { return type == 'M' ? kMegabytes : kKilobytes; }

// The type character of a unit text: its first character (0 for none).
char UnitType(const CString& text) { return text.IsEmpty() ? '\0' : text[0]; }

std::int64_t UnitFactor(const CString& text) { return UnitType(text) == 'K' ? 1000 : 1000000; }

CString MessageText(UINT id)
{
    CString text;
    if (!text.LoadString(id))
        text.Format("error (message %u not found)", id);
    return text;
}

template <class Traits, std::size_t... I>
std::unique_ptr<VqsOptCtrlRadio> MakeStructureRadio(VqsDialogCtrlConnector* connector, std::index_sequence<I...>)
{
    return std::make_unique<VqsOptCtrlRadio>(connector, Traits::kStructureIds[I]...);
}

} // namespace

template <class Traits>
VqsOptionPageUnixStorage<Traits>::VqsOptionPageUnixStorage(VqsOptionsSheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPage(sheet, dialogId, IDS_ORACLE, pageIndex), m_unlimited(&m_connector, IDC_UNLIMITED),
      m_population(&m_connector, IDC_POPULATION),
      m_structure(MakeStructureRadio<Traits>(&m_connector, std::make_index_sequence<Traits::kStructures>())),
      m_sca(&m_connector, IDC_SCA, kSqlChars, kValidatorEmpty),
      m_nonsca(&m_connector, IDC_NONSCA, kSqlChars, kValidatorEmpty),
      m_partitionName(&m_connector, IDC_PARTITION, kValidatorEmpty),
      m_initialUnit(&m_connector, IDC_INITIAL_UNIT, kValidatorEmpty),
      m_nextUnit(&m_connector, IDC_NEXT_UNIT, kValidatorEmpty),
      m_pack(&m_connector, IDC_PACK, kValidatorReservedWordOrNil)
{
    for (int n = 0; n < kNumberCount; ++n) {
        m_defaultBoxes.push_back(std::make_unique<VqsOptCtrlFlag>(&m_connector, kDefaultBoxIds[n]));
        m_numbers.push_back(std::make_unique<VqsOptCtrlInt>(&m_connector, kNumberIds[n]));
    }
    if constexpr (Traits::kHasCalculation)
        m_calculation = std::make_unique<VqsOptCtrlFlag>(&m_connector, IDC_CALCULATION);
    m_initialUnit.SetTextLimit(10);
    m_nextUnit.SetTextLimit(10);
}

template <class Traits>
PxPtr<typename Traits::Record> VqsOptionPageUnixStorage<Traits>::TypedRecord() const
{
    return PxPtr<Record>(m_pSheet->GetOptions());
}

template <class Traits>
char VqsOptionPageUnixStorage<Traits>::Letter() const
{
    return kLetters[m_nStructure];
}

template <class Traits>
CString VqsOptionPageUnixStorage<Traits>::GetPartitionName() const
{
    return m_partition ? m_strShownPartition : CString();
}

template <class Traits>
vqsstorage::Level VqsOptionPageUnixStorage<Traits>::ShownLevel() const
{
    return m_partition ? PartitionLevel(m_partition) : Traits::ElementLevel(TypedRecord(), m_nStructure);
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::DoDataExchange(CDataExchange* pDX)
{
    VqsOptionPage::DoDataExchange(pDX);
    for (int n = 0, spin = 0; n < kNumberCount; ++n) {
        if (kSpinIds[n] == 0)
            continue;
        if (!m_spins[spin].m_hWnd)
            DDX_Control(pDX, kSpinIds[n], m_spins[spin]);
        ++spin;
    }
}

template <class Traits>
BOOL VqsOptionPageUnixStorage<Traits>::OnInitDialog()
{
    VqsOptionPage::OnInitDialog();
    m_population.SetTextLimit(Traits::kPopulationDigits, 0);
    for (int n = 0; n < kNumberCount; ++n)
        m_numbers[n]->SetTextLimit(kNumberDigits[n], 0);
    for (int n = 0, spin = 0; n < kNumberCount; ++n) {
        if (kSpinIds[n] == 0)
            continue;
        const int upper = kNumberDigits[n] == 2 ? 99 : kNumberDigits[n] == 3 ? 999 : 99999;
        m_spins[spin++].SetRange32(0, upper);
    }
    return TRUE;
}

template <class Traits>
BOOL VqsOptionPageUnixStorage<Traits>::OnSetActive()
{
    const BOOL active = VqsOptionPage::OnSetActive();
    UpdateData(FALSE);
    return active;
}

// The lists of the page are filled once: the packs, the partitions of the table and the units.
template <class Traits>
void VqsOptionPageUnixStorage<Traits>::LoadOptions()
{
    if (!m_bLoadedOnce) {
        const PxPtr<Record> record = TypedRecord();
        m_pack.SetTextLimit(static_cast<int>(Traits::TablespaceLength(record)));
        m_sca.SetMaxLength(static_cast<int>(Traits::ScaLength(record)));
        m_nonsca.SetMaxLength(static_cast<int>(Traits::NonscaLength(record)));
        const auto limits = Traits::NumberLimits(record);
        for (int n = 0; n < kNumberCount; ++n) {
            std::int64_t limit = 0;
            // A storage value is never negative, whatever limits the record gives.
            m_numbers[n]->SetMinimum(limits[n].lower(limit) ? std::max<std::int64_t>(limit, 0) : 0);
            if (limits[n].upper(limit))
                m_numbers[n]->SetMaximum(limit);
        }
        const Limits population = Traits::PopulationLimits(record);
        std::int64_t limit = 0;
        m_population.SetMinimum(population.lower(limit) ? std::max<std::int64_t>(limit, 0) : 0);
        if (population.upper(limit))
            m_population.SetMaximum(limit);

        vqsntunix::OfferChoices(m_pack, vqsntunix::EnterprisePacks(vqsntunix::PackList::Database));
        FillPartitionList();
        CStringArray units;
        units.Add(kKilobytes);
        units.Add(kMegabytes);
        m_initialUnit.SetItems(units);
        m_nextUnit.SetItems(units);
        m_initialUnit.SetValue(kKilobytes);
        m_nextUnit.SetValue(kKilobytes);
        if constexpr (Traits::kStructures == 3)
            m_structure->Enable(
                vqsntunix::IsConditionalProfile(PxLSEProfilePtr(vqsntunix::EditedDesignElement(*m_pSheet))));
    }
    LoadSelection();
    m_bLoadedOnce = TRUE;
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::FillPartitionList()
{
    CStringArray names;
    PxTypedList<PxVQOptionsPtr> subOptions;
    TypedRecord()->GetListOfSubOptions(subOptions);
    for (POSITION pos = subOptions.GetHeadPosition(); pos;) {
        const PxVQOptionsPtr sub = subOptions.GetNext(pos);
        const CString name = sub ? sub->GetName() : CString();
        if (PxUnixOracleDBPartitionOptionsPtr(sub) && name.GetLength() > 1 && name[0] == Letter())
            names.Add(name.Mid(1));
    }
    m_partitionName.SetItems(names);
    m_partitionName.SetValue(names.GetSize() ? static_cast<const char*>(names[0]) : kNoneDefined);
    m_partitionName.Enable(names.GetSize() > 0);
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::LoadSelection()
{
    const CString chosen = m_partitionName.GetValue();
    m_partition = nullptr;
    if (chosen != kNoneDefined) {
        m_partition = PxUnixOracleDBPartitionOptionsPtr(TypedRecord()->GetSubOptions(CString(Letter()) + chosen));
        // A partition gone behind the list: the list is rebuilt from what exists.
        if (!m_partition) {
            FillPartitionList();
            const CString first = m_partitionName.GetValue();
            if (first != kNoneDefined)
                m_partition =
                    PxUnixOracleDBPartitionOptionsPtr(TypedRecord()->GetSubOptions(CString(Letter()) + first));
        }
    }
    m_strShownPartition = m_partitionName.GetValue();

    const Level level = ShownLevel();
    vqsoptiontable::ShowReadValue(m_sca, level.sca.get);
    vqsoptiontable::ShowReadValue(m_nonsca, level.nonsca.get);
    if (!m_partition) {
        m_sca.CheckMultiLineLimits(kSqlChars, kSqlLines, kSqlLineLength, FALSE);
        m_nonsca.CheckMultiLineLimits(kSqlChars, kSqlLines, kSqlLineLength, FALSE);
    }
    vqsoptiontable::ShowReadValue(m_unlimited, level.unlimited.get);
    LoadElementPackAndExpected(level);
    vqsoptiontable::ShowReadValue(m_initialUnit, [&] { return UnitText(level.initialExtentType.get()); });
    vqsoptiontable::ShowReadValue(m_nextUnit, [&] { return UnitText(level.nextExtentType.get()); });
    for (int n = 0; n < kNumberCount; ++n) {
        m_defaultBoxes[n]->m_bValue = level.numbers[n].isDefault();
        vqsoptiontable::ShowReadValue(*m_numbers[n], level.numbers[n].get);
    }
    EnableControls();
    TellEnvironment();
    UpdateData(FALSE);
}

// At the table the element's own pack and expected number are shown; elsewhere the
// structure's or partition's tablespace and population.
template <class Traits>
VqsStorageEnvironment* VqsOptionPageUnixStorage<Traits>::Environment() const
{
    if constexpr (Traits::kExpectedFromElement)
        return VqsFindSheetPage<VqsStorageEnvironment>(*m_pSheet);
    return nullptr;
}

// At the table the element's own pack and expected number are shown: on the first load as the
// Environment page shows them (or the record holds them while that page has no window), on
// later loads (Undo, Defaults, another structure) as the record holds them; elsewhere the
// structure's or partition's tablespace and population.
template <class Traits>
void VqsOptionPageUnixStorage<Traits>::LoadElementPackAndExpected(const Level& level)
{
    const PxPtr<Record> record = TypedRecord();
    if (IsElementLevel()) {
        const TextOption pack = Traits::ElementPack(record);
        const NumberOption expected = Traits::ElementExpected(record);
        VqsStorageEnvironment* environment = Environment();
        if (!m_bLoadedOnce && environment && environment->ShowsStorageValues()) {
            vqsoptiontable::ShowKnownValue(m_pack, environment->GetPackText());
            m_pack.Enable(!environment->IsPackDefault() && !m_pack.IsNotAvailable());
            vqsoptiontable::ShowKnownValue(m_population, environment->GetExpectedNumber());
            m_population.Enable(environment->IsExpectedNumberOwn() && !m_population.IsNotAvailable());
        } else {
            vqsoptiontable::ShowReadValue(m_pack, pack.get);
            m_pack.Enable(!pack.isDefault() && !m_pack.IsNotAvailable());
            vqsoptiontable::ShowReadValue(m_population, expected.get);
            const BOOL own = Traits::kStructures == 3 ? !expected.isDefault() : TRUE;
            m_population.Enable(own && !m_population.IsNotAvailable());
        }
    } else {
        vqsoptiontable::ShowReadValue(m_pack, level.tablespace.get);
        m_pack.Enable(!m_pack.IsNotAvailable());
        vqsoptiontable::ShowReadValue(m_population, level.population.get);
        m_population.Enable(!m_population.IsNotAvailable());
    }
    if constexpr (Traits::kHasCalculation) {
        m_calculation->m_bValue = !m_partition && level.population.isDefault();
    }
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::TellEnvironment()
{
    VqsStorageEnvironment* environment = IsElementLevel() ? Environment() : nullptr;
    if (!environment)
        return;
    // A value this page could not read leaves the Environment page's own reading in place.
    if (!m_population.IsValueUnread())
        environment->TakeExpectedNumber(m_population.GetValue());
    if (!m_pack.IsValueUnread())
        environment->TakePackText(m_pack.GetValue());
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::EnablePackCombo(BOOL enable)
{
    if (m_hWnd && IsElementLevel())
        m_pack.Enable(enable && !m_pack.IsNotAvailable());
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::EnableExpectedNumber(BOOL enable)
{
    if (m_hWnd && IsElementLevel())
        m_population.Enable(enable && !m_population.IsNotAvailable());
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::SetPackText(const std::optional<CString>& text)
{
    if (m_hWnd && IsElementLevel())
        vqsoptiontable::ShowKnownValue(m_pack, text);
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::SetExpectedNumber(const std::optional<std::int64_t>& value)
{
    if (m_hWnd && IsElementLevel())
        vqsoptiontable::ShowKnownValue(m_population, value);
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::EnableControls()
{
    for (int n = 0; n < kNumberCount; ++n) {
        m_defaultBoxes[n]->Enable(TRUE);
        m_numbers[n]->Enable(!m_defaultBoxes[n]->m_bValue);
    }
    const BOOL table = Letter() == 'T';
    m_defaultBoxes[PercentUsed]->Enable(table);
    m_numbers[PercentUsed]->Enable(table && !m_defaultBoxes[PercentUsed]->m_bValue);
    EnableExtentUnit(InitialExtent, m_initialUnit);
    EnableExtentUnit(NextExtent, m_nextUnit);
    const BOOL maxDefault = m_defaultBoxes[MaxExtents]->m_bValue;
    m_unlimited.Enable(!maxDefault);
    // Max Extents counts only while "Unlimited" is known to be clear.
    m_numbers[MaxExtents]->Enable(!maxDefault && !m_unlimited.m_bValue && !m_unlimited.IsNotAvailable());
    for (const auto& number : m_numbers)
        if (number->IsNotAvailable())
            number->Enable(FALSE);
    m_sca.Enable(!m_sca.IsNotAvailable());
    m_nonsca.Enable(!m_nonsca.IsNotAvailable());
    if constexpr (Traits::kHasCalculation) {
        const BOOL calculable = !m_partition && table;
        if (!calculable)
            m_calculation->m_bValue = FALSE;
        m_calculation->Enable(calculable);
        m_population.Enable(!m_calculation->m_bValue && !m_population.IsNotAvailable());
    }
}

// An extent is shown in its unit: without the unit it cannot be edited.
template <class Traits>
void VqsOptionPageUnixStorage<Traits>::EnableExtentUnit(int extent, VqsOptCtrlCombo& unit)
{
    unit.Enable(!m_defaultBoxes[extent]->m_bValue && !unit.IsNotAvailable());
    if (unit.IsNotAvailable())
        m_numbers[extent]->Enable(FALSE);
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::Refuse(int check, UINT controlId, UINT messageId)
{
    if (m_hWnd)
        if (CWnd* control = GetDlgItem(controlId))
            GotoDlgCtrl(control);
    throw VqsExceptionData(MessageText(messageId), Traits::kSourceName, Traits::kCheckLines[check - 1]);
}

// The values are compared as the signed numbers they are; a negative one never gets this far
// (the binders' minimum is 0). A check takes only values that are written: an option at its
// default, or one not available, keeps what is stored and is not checked.
template <class Traits>
void VqsOptionPageUnixStorage<Traits>::CheckValues()
{
    const auto value = [this](int n) { return m_numbers[n]->GetValue(); };
    const auto own = [this](int n) { return !m_defaultBoxes[n]->m_bValue && !m_numbers[n]->IsNotAvailable(); };
    if (own(PercentFree) && own(PercentUsed) && value(PercentFree) + value(PercentUsed) > 100)
        Refuse(1, kNumberIds[PercentFree], IDS_PERCENT_SUM);
    // At least 10 kilobytes; the values are at most ten digits, so the product fits.
    const auto tooSmall = [&](int n, const VqsOptCtrlCombo& unit) {
        return own(n) && !unit.IsNotAvailable() && value(n) * UnitFactor(unit.GetValue()) < 10000;
    };
    if (tooSmall(InitialExtent, m_initialUnit))
        Refuse(2, kNumberIds[InitialExtent], IDS_INITIAL_EXTENT_SMALL);
    if (tooSmall(NextExtent, m_nextUnit))
        Refuse(3, kNumberIds[NextExtent], IDS_NEXT_EXTENT_SMALL);
    if (own(InitTrans) && value(InitTrans) < (Letter() == 'T' ? 1 : 2))
        Refuse(4, kNumberIds[InitTrans], IDS_INITIAL_TRANSACTIONS_SMALL);
    if (own(MaxTrans) && value(MaxTrans) < 5)
        Refuse(5, kNumberIds[MaxTrans], IDS_MAX_TRANSACTIONS_SMALL);
    if (own(InitTrans) && own(MaxTrans) && value(MaxTrans) <= value(InitTrans))
        Refuse(6, kNumberIds[MaxTrans], IDS_TRANSACTIONS_NOT_GREATER);
    if constexpr (Traits::kChecksPack) {
        const CString pack = m_pack.GetValue();
        if (!pack.IsEmpty() && m_pack.IsEnabled() && m_pack.FindExact(pack) < 0)
            Refuse(7, IDC_PACK, IDS_PACK_NOT_DEFINED);
    }
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::WriteLevel(Level& level)
{
    if (!m_sca.IsNotAvailable())
        level.sca.set(m_sca.GetValue());
    if (!m_nonsca.IsNotAvailable())
        level.nonsca.set(m_nonsca.GetValue());
    if (!m_unlimited.IsNotAvailable())
        level.unlimited.set(m_unlimited.m_bValue ? 1 : 0);
    if (!m_pack.IsNotAvailable())
        level.tablespace.set(m_pack.GetValue());
    const BOOL populationShown = !m_population.IsNotAvailable();
    if (m_partition) {
        if (populationShown)
            level.population.set(m_population.GetValue());
    } else {
        BOOL calculated = FALSE;
        if constexpr (Traits::kHasCalculation)
            calculated = m_calculation->m_bValue;
        if (calculated)
            level.population.makeDefault();
        else if (populationShown)
            level.population.set(m_population.GetValue());
        // The element's own pack and expected number only when the page lets them be edited.
        if (m_nStructure == 0) {
            const PxPtr<Record> record = TypedRecord();
            if (m_pack.IsEnabled() && !m_pack.IsNotAvailable())
                Traits::ElementPack(record).set(m_pack.GetValue());
            if constexpr (Traits::kExpectedFromElement)
                if (m_population.IsEnabled() && populationShown)
                    Traits::ElementExpected(record).set(m_population.GetValue());
        }
    }
    if (!m_initialUnit.IsNotAvailable())
        level.initialExtentType.set(UnitType(m_initialUnit.GetValue()));
    if (!m_nextUnit.IsNotAvailable())
        level.nextExtentType.set(UnitType(m_nextUnit.GetValue()));
    for (int n = 0; n < kNumberCount; ++n) {
        if (m_defaultBoxes[n]->m_bValue)
            level.numbers[n].makeDefault();
        else if (!m_numbers[n]->IsNotAvailable())
            level.numbers[n].set(m_numbers[n]->GetValue());
    }
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::StoreOptions()
{
    CheckValues();
    Level level = ShownLevel();
    WriteLevel(level);
}

// The storage of the other structures counts too: an element is never taken for being at
// its defaults while one of its structures keeps own values.
template <class Traits>
BOOL VqsOptionPageUnixStorage<Traits>::IsNotUpdated()
{
    if (vqsntunix::HoldsOwnStorage(*m_pSheet->GetOptions()))
        return FALSE;
    const Level level = ShownLevel();
    if (level.sca.isUpdated() || level.nonsca.isUpdated() || level.unlimited.isUpdated())
        return FALSE;
    const BOOL table = IsElementLevel();
    const PxPtr<Record> record = TypedRecord();
    if (table ? Traits::ElementPack(record).isUpdated() : level.tablespace.isUpdated())
        return FALSE;
    const BOOL expectedOfElement = table && Traits::kExpectedFromElement;
    if (expectedOfElement ? Traits::ElementExpected(record).isUpdated() : level.population.isUpdated())
        return FALSE;
    if (level.initialExtentType.isUpdated() || level.nextExtentType.isUpdated())
        return FALSE;
    for (const NumberOption& number : level.numbers)
        if (number.isUpdated())
            return FALSE;
    return TRUE;
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::ClearOptions()
{
    Level level = ShownLevel();
    level.sca.clear();
    level.nonsca.clear();
    level.unlimited.clear();
    level.tablespace.clear();
    if (IsElementLevel() && !Traits::kExpectedFromElement)
        Traits::ElementPack(TypedRecord()).clear();
    level.population.clear();
    if (IsElementLevel() && Traits::kExpectedFromElement) {
        Traits::ElementPack(TypedRecord()).clear();
        Traits::ElementExpected(TypedRecord()).clear();
    }
    level.initialExtentType.clear();
    level.nextExtentType.clear();
    for (NumberOption& number : level.numbers)
        number.clear();
}

template <class Traits>
BOOL VqsOptionPageUnixStorage<Traits>::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    const BOOL comboChange = code == CBN_EDITCHANGE || code == CBN_SELCHANGE || code == CBN_KILLFOCUS ||
                             code == CBN_CLOSEUP;
    for (int n = 0; n < kNumberCount; ++n) {
        if (id == kDefaultBoxIds[n] && code == BN_CLICKED)
            OnDefaultBoxClicked(n);
        if (id == kNumberIds[n] && code == EN_CHANGE)
            BeginModify(nullptr, TRUE);
    }
    for (int s = 0; s < Traits::kStructures; ++s)
        if (id == Traits::kStructureIds[s] && code == BN_CLICKED)
            OnStructureChanged();
    if (id == IDC_UNLIMITED && code == BN_CLICKED)
        OnUnlimitedClicked();
    else if (id == IDC_CALCULATION && code == BN_CLICKED)
        OnCalculationClicked();
    else if ((id == IDC_SCA || id == IDC_NONSCA) && code == EN_CHANGE) {
        VqsOptCtrlString& text = id == IDC_SCA ? m_sca : m_nonsca;
        if (OnOptionChanged(&text, FALSE))
            text.CheckMultiLineLimits(kSqlChars, kSqlLines, kSqlLineLength, TRUE);
    } else if (id == IDC_POPULATION && code == EN_CHANGE) {
        if (OnOptionChanged(&m_population, TRUE) && IsElementLevel())
            if (VqsStorageEnvironment* environment = Environment())
                environment->TakeExpectedNumber(m_population.GetValue());
    }
    else if (id == IDC_PARTITION && comboChange)
        OnPartitionChanged();
    else if (comboChange && (id == IDC_INITIAL_UNIT || id == IDC_NEXT_UNIT))
        OnOptionChanged(id == IDC_INITIAL_UNIT ? &m_initialUnit : &m_nextUnit, TRUE);
    else if (comboChange && id == IDC_PACK && OnOptionChanged(&m_pack, TRUE) && IsElementLevel())
        if (VqsStorageEnvironment* environment = Environment())
            environment->TakePackText(m_pack.GetValue());
    return VqsOptionPage::OnCommand(wParam, lParam);
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::OnDefaultBoxClicked(int n)
{
    if (!OnOptionChanged(m_defaultBoxes[n].get(), TRUE))
        return;
    VqsOptCtrlInt& value = *m_numbers[n];
    if (m_defaultBoxes[n]->m_bValue) {
        vqsoptiontable::ShowReadDefaultOver(value, ShownLevel().numbers[n].getDefault);
        if (n == MaxExtents)
            m_unlimited.m_bValue = FALSE;
    } else {
        vqsoptiontable::ShowValueAgain(value);
    }
    EnableControls();
    UpdateData(FALSE);
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::OnUnlimitedClicked()
{
    if (!OnOptionChanged(&m_unlimited, TRUE))
        return;
    EnableControls();
    UpdateData(FALSE);
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::OnCalculationClicked()
{
    if constexpr (Traits::kHasCalculation) {
        if (!OnOptionChanged(m_calculation.get(), TRUE))
            return;
        if (m_calculation->m_bValue)
            vqsoptiontable::ShowReadDefaultOver(m_population, ShownLevel().population.getDefault);
        else
            vqsoptiontable::ShowValueAgain(m_population);
        EnableControls();
        UpdateData(FALSE);
    }
}

// Choosing what is shown is no edit of the page. Pending edits are saved to what was shown
// (Yes) or dropped (No); when saving fails the page stays where it is, edits kept.
template <class Traits>
BOOL VqsOptionPageUnixStorage<Traits>::LeaveSelection()
{
    if (!m_bModified)
        return TRUE;
    if (!VqsQuestionBoxId(IDS_OPTIONS_CHANGED))
        return TRUE;
    return m_pSheet->ApplyNow();
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::OnStructureChanged()
{
    PageState before(this);
    if (!OnOptionChanged(m_structure.get(), TRUE))
        return;
    before.Restore();
    const int chosen = m_structure->m_nValue;
    if (chosen == m_nStructure)
        return;
    if (!LeaveSelection()) {
        m_structure->m_nValue = m_nStructure;
        m_structure->SaveState();
        UpdateData(FALSE);
        return;
    }
    m_nStructure = chosen;
    FillPartitionList();
    ShowSelection();
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::OnPartitionChanged()
{
    PageState before(this);
    if (!OnOptionChanged(&m_partitionName, TRUE))
        return;
    before.Restore();
    const CString chosen = m_partitionName.GetValue();
    if (chosen == m_strShownPartition)
        return;
    if (!LeaveSelection()) {
        m_partitionName.SetValue(m_strShownPartition);
        m_partitionName.SaveState();
        UpdateData(FALSE);
        return;
    }
    m_partitionName.SetValue(chosen);
    ShowSelection();
}

template <class Traits>
void VqsOptionPageUnixStorage<Traits>::ShowSelection()
{
    try {
        ReloadPage();
        m_pSheet->SetPageStateImage(m_nPageIndex, m_bAtDefaults, m_bModified);
    } catch (const VqReportableException& error) {
        m_pSheet->ReportError(error);
    }
}

template class VqsOptionPageUnixStorage<vqsstorage::BSegTraits>;
template class VqsOptionPageUnixStorage<vqsstorage::ComponentTraits>;
template class VqsOptionPageUnixStorage<vqsstorage::ProfileTraits>;
