// The "Oracle" pages of a Unix business segment, component and profile: how each database
// structure of the element (its table and its indexes), or one partition of it, is stored.
// The page edits one structure at a time; within it the element's own values or those of
// one partition. At the table of a component or a profile the page also shows the
// element's pack and expected number, which its Environment page edits as well.
#pragma once

#include "options/VqsOptionPage.h"
#include "options/VqsOptionsSheet.h"
#include "options_nt_unix/VqsUnixStorageOptions.h"
#include "shell/VqsOptCtrlCombo.h"
#include "shell/VqsOptCtrlFlag.h"
#include "shell/VqsOptCtrlInt.h"
#include "shell/VqsOptCtrlRadio.h"
#include "shell/VqsOptCtrlString.h"
#include "win/CSpinButtonCtrl.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

// The Environment page's side of the element's pack and expected number, which the storage
// page also shows at the table.
class VqsStorageEnvironment {
public:
    virtual ~VqsStorageEnvironment() = default;
    // FALSE while the page has no window: its values are then the record's.
    virtual BOOL ShowsStorageValues() const = 0;
    // None when the value could not be read.
    virtual std::optional<CString> GetPackText() const = 0;
    virtual BOOL IsPackDefault() const = 0;
    virtual std::optional<std::int64_t> GetExpectedNumber() const = 0;
    // The expected number is the element's own estimate, which the storage page may edit.
    virtual BOOL IsExpectedNumberOwn() const = 0;
    // Shown at the page's next refresh; only while the page has a window.
    virtual void TakePackText(const CString& text) = 0;
    virtual void TakeExpectedNumber(std::int64_t value) = 0;
};

// The page of that class among the sheet's pages, or null.
template <class Page>
Page* VqsFindSheetPage(VqsOptionsSheet& sheet)
{
    for (int index = 0; index < sheet.GetPageCount(); ++index)
        if (auto* page = dynamic_cast<Page*>(sheet.GetPage(index)))
            return page;
    return nullptr;
}

template <class Traits>
class VqsOptionPageUnixStorage : public VqsOptionPage {
public:
    VqsOptionPageUnixStorage(VqsOptionsSheet* sheet, UINT dialogId, int pageIndex);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Shows what the Environment page passed on while the page was hidden.
    BOOL OnSetActive() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
    void LoadOptions() override;

    // The structure shown (0 the table) and the partition shown (empty for the structure's own
    // values).
    int GetStructure() const { return m_nStructure; }
    CString GetPartitionName() const;
    // The table's own values are shown: the element's pack and expected number with them.
    BOOL IsElementLevel() const { return m_nStructure == 0 && !m_partition; }

    // What the Environment page passes on; each acts only at the table's own values and
    // while the page has a window, and shows at the next refresh. A value the Environment
    // page could not read (none) is not available here either.
    void EnablePackCombo(BOOL enable);
    void EnableExpectedNumber(BOOL enable);
    void SetPackText(const std::optional<CString>& text);
    void SetExpectedNumber(const std::optional<std::int64_t>& value);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    using Record = typename Traits::Record;
    using Level = vqsstorage::Level;

    PxPtr<Record> TypedRecord() const;
    Level ShownLevel() const;
    char Letter() const;

    void FillPartitionList();
    void LoadSelection();
    void LoadElementPackAndExpected(const Level& level);
    VqsStorageEnvironment* Environment() const;
    // The Environment page shows what this page shows at the table.
    void TellEnvironment();
    void EnableControls();
    void EnableExtentUnit(int extent, VqsOptCtrlCombo& unit);
    // Throws the first failing check, having moved the focus to its control.
    void CheckValues();
    [[noreturn]] void Refuse(int check, UINT controlId, UINT messageId);
    void WriteLevel(Level& level);

    void OnDefaultBoxClicked(int number);
    void OnUnlimitedClicked();
    void OnCalculationClicked();
    // Offers to save pending edits before another structure or partition is shown; FALSE
    // when the page is to stay where it is.
    BOOL LeaveSelection();
    void OnStructureChanged();
    void OnPartitionChanged();
    void ShowSelection();

    std::vector<std::unique_ptr<VqsOptCtrlFlag>> m_defaultBoxes;
    std::vector<std::unique_ptr<VqsOptCtrlInt>> m_numbers;
    VqsOptCtrlFlag m_unlimited;
    std::unique_ptr<VqsOptCtrlFlag> m_calculation;
    VqsOptCtrlInt m_population;
    std::unique_ptr<VqsOptCtrlRadio> m_structure;
    VqsOptCtrlString m_sca;
    VqsOptCtrlString m_nonsca;
    VqsOptCtrlCombo m_partitionName;
    VqsOptCtrlCombo m_initialUnit;
    VqsOptCtrlCombo m_nextUnit;
    VqsOptCtrlCombo m_pack;
    std::array<CSpinButtonCtrl, 7> m_spins;

    int m_nStructure = 0;
    PxUnixOracleDBPartitionOptionsPtr m_partition;
    CString m_strShownPartition;
    BOOL m_bLoadedOnce = FALSE;
};

class VqsOptionPageUnixBSegOracledb : public VqsOptionPageUnixStorage<vqsstorage::BSegTraits> {
public:
    using VqsOptionPageUnixStorage::VqsOptionPageUnixStorage;
};

class VqsOptionPageUnixComponentOracledb : public VqsOptionPageUnixStorage<vqsstorage::ComponentTraits> {
public:
    using VqsOptionPageUnixStorage::VqsOptionPageUnixStorage;
};

class VqsOptionPageUnixProfileOracledb : public VqsOptionPageUnixStorage<vqsstorage::ProfileTraits> {
public:
    using VqsOptionPageUnixStorage::VqsOptionPageUnixStorage;
};
