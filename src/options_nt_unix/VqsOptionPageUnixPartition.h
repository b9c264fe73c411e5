// The "Oracle Partitions" pages of a Unix business segment, component and profile: for each
// database structure of the element, its partitioning type (None, Local, Explicit) and, for
// explicit partitioning, up to eight partition columns chosen from the element's data items
// and the named partitions, each with one less-than bound per column. A partition is kept
// as a sub-record of the element's options named by the structure code and its name.
#pragma once

#include "options/VqsOptionPage.h"
#include "options/VqsOptionsSheet.h"
#include "proxy/PxUnixBSegOptions.h"
#include "proxy/PxUnixCompOptions.h"
#include "proxy/PxUnixProfileOptions.h"
#include "shell/VqsOptCtrlCombo.h"
#include "shell/VqsOptCtrlRadio.h"
#include "shell/VqsOptCtrlString.h"
#include "win/CListCtrl.h"

#include <array>
#include <memory>
#include <vector>

class VqsLockBag;
class VqsModelNode;

// One partition of explicit partitioning as the page holds it.
struct VqsPartitionDefn {
    static constexpr int kMaxColumns = 8;

    CString name;
    std::array<CString, kMaxColumns> lessThan;

    // The bounds joined: the order of the partitions in the list.
    CString SortKey() const;
};

// The part of the page that is the same for every element kind; the record's accessors and
// what differs per kind are the derived pages'.
class VqsOptionPageUnixPartitionBase : public VqsOptionPage {
public:
    enum Type { TypeNone = 0, TypeLocal = 1, TypeExplicit = 2 };
    static constexpr int kMaxColumns = VqsPartitionDefn::kMaxColumns;

    ~VqsOptionPageUnixPartitionBase() override;

    void DoDataExchange(CDataExchange* pDX) override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
    void LoadOptions() override;

    int GetStructure() const { return m_nStructure; }
    int GetColumnCount() const { return m_nColumns; }

protected:
    using RadioFactory = std::unique_ptr<VqsOptCtrlRadio> (*)(VqsDialogCtrlConnector*);

    VqsOptionPageUnixPartitionBase(VqsOptionsSheet* sheet, UINT dialogId, int pageIndex, RadioFactory structure,
                                   RadioFactory type, std::vector<UINT> structureIds, std::vector<UINT> typeIds);

    // The record's partitioning of structure s.
    virtual char GetStoredType(int s) const = 0;
    virtual void SetStoredType(int s, char type) = 0;
    virtual void ClearStoredType(int s) = 0;
    virtual CString GetStoredColumn(int s, int slot) const = 0;
    virtual void SetStoredColumn(int s, int slot, const char* column) = 0;

    // The data items that may become partition columns, gathered once per page.
    virtual std::vector<CString> GatherDataItems() = 0;
    // After the stored type is shown: the type buttons enabled (and the type shown) by the
    // element's rules.
    virtual void ApplyTypeRules() = 0;
    // Local partitioning shows these definitions; FALSE: it shows none and edits nothing.
    virtual BOOL LoadLocalDefinitions() { return FALSE; }
    // The data item the Data Item combo offers to add, and the column the Column combo
    // offers to delete.
    virtual CString DataItemOffered() const;
    virtual CString ColumnOffered() const;
    // The two column combos only show what the buttons act on.
    virtual BOOL AreColumnChoicesShownOnly() const { return FALSE; }
    // After the page's own records are written.
    virtual void AfterStore() {}

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    PxVQOptionsPtr OwnOptions() const;
    char Code() const;
    // Reads the stored columns of the structure, packed from slot 0, and takes them out of
    // the available data items; the slots they were read from (for the bounds).
    std::vector<int> ReadColumns();
    // The definitions of these partition records (of the structure's code), bounds packed
    // like the columns.
    void ReadDefinitions(const PxVQOptionsPtr& owner, const std::vector<int>& slots);
    void OfferColumnChoices();
    void ShowListAndControls();
    void EmptyPage();

    std::unique_ptr<VqsOptCtrlRadio> m_pStructureRadio;
    std::unique_ptr<VqsOptCtrlRadio> m_pTypeRadio;
    std::vector<CString> m_allDataItems;
    std::vector<CString> m_available;
    std::array<CString, kMaxColumns> m_columns;
    int m_nColumns = 0;
    std::vector<std::unique_ptr<VqsPartitionDefn>> m_definitions;
    int m_nStructure = 0;

private:
    void LoadPartitionType();
    void LoadDefinitions();
    void LoadExplicitDefinitions();
    void DisableDefinitions();
    void DeleteRowsAndHeader();
    void InitListColumns();
    void SortDefinitions();
    void FillList();
    void ShowSelectedDefinition();
    int FindDefinitionItem(const VqsPartitionDefn* definition) const;
    int FindColumnSlot(const CString& column) const;

    void OnStructureChanged();
    void OnPartitionTypeChanged();
    void OnModifyColumnChanged();
    void OnLessThanValueChanged();
    void OnAddColumn();
    void OnDeleteColumn();
    void OnAddPartition();
    void OnDeletePartition();
    void OnColumnClick();
    void OnItemChanged(const NMLISTVIEW& change);

    std::vector<UINT> m_structureIds;
    std::vector<UINT> m_typeIds;
    VqsOptCtrlString m_name;
    VqsOptCtrlString m_lessThan;
    VqsOptCtrlCombo m_modifyColumn;
    VqsOptCtrlCombo m_dataItem;
    VqsOptCtrlCombo m_deleteColumn;
    CListCtrl m_list;
    int m_nHeaderColumns = 0;
    int m_nListWidth = 0;
    COLORREF m_listBackground = 0;
    BOOL m_bListTaken = FALSE;
    BOOL m_bLoadedOnce = FALSE;
    BOOL m_bSortAscending = TRUE;
    VqsPartitionDefn* m_pSelected = nullptr;
};

// The record accessors of one element kind over the structures it has.
template <class Traits>
class VqsOptionPageUnixPartition : public VqsOptionPageUnixPartitionBase {
protected:
    using Record = typename Traits::Record;

    VqsOptionPageUnixPartition(VqsOptionsSheet* sheet, UINT dialogId, int pageIndex);

    PxPtr<Record> TypedRecord() const { return PxPtr<Record>(m_pSheet->GetOptions()); }
    char GetStoredType(int s) const override { return (TypedRecord().get()->*Traits::kGetType)(s); }
    void SetStoredType(int s, char type) override { (TypedRecord().get()->*Traits::kSetType)(s, type); }
    void ClearStoredType(int s) override { (TypedRecord().get()->*Traits::kClearType)(s); }
    CString GetStoredColumn(int s, int slot) const override
    {
        return (TypedRecord().get()->*Traits::kColumns[s].get)(slot);
    }
    void SetStoredColumn(int s, int slot, const char* column) override
    {
        (TypedRecord().get()->*Traits::kColumns[s].set)(slot, column);
    }
};

// The column accessors of one structure.
template <class Record>
struct VqsPartitionColumns {
    CString (Record::*get)(int) const;
    void (Record::*set)(int, const char*);
};

#define VQS_PARTITION_COLUMNS(Record, Name)                                                                          \
    VqsPartitionColumns<Record> { &Record::Get##Name, &Record::Set##Name }

struct VqsUnixBSegPartitionTraits {
    using Record = PxUnixBSegOptions;
    static constexpr std::array<UINT, 2> kStructureIds{1933, 1934};
    static constexpr std::array<UINT, 3> kTypeIds{1935, 1936, 1937};
    static constexpr auto kGetType = &Record::GetBSPartitionType;
    static constexpr auto kSetType = &Record::SetBSPartitionType;
    static constexpr auto kClearType = &Record::ClearBSPartitionType;
    static constexpr std::array<VqsPartitionColumns<Record>, 2> kColumns{
        VQS_PARTITION_COLUMNS(Record, BSTablePartitionColumns),
        VQS_PARTITION_COLUMNS(Record, BSAutoIndexPartitionColumns)};
};

struct VqsUnixComponentPartitionTraits {
    using Record = PxUnixCompOptions;
    static constexpr std::array<UINT, 2> kStructureIds{1928, 1929};
    static constexpr std::array<UINT, 3> kTypeIds{1915, 1916, 1917};
    static constexpr auto kGetType = &Record::GetComponentPartitionType;
    static constexpr auto kSetType = &Record::SetComponentPartitionType;
    static constexpr auto kClearType = &Record::ClearComponentPartitionType;
    static constexpr std::array<VqsPartitionColumns<Record>, 2> kColumns{
        VQS_PARTITION_COLUMNS(Record, ComponentTablePartitionColumns),
        VQS_PARTITION_COLUMNS(Record, ComponentAutoIndexPartitionColumns)};
};

struct VqsUnixProfilePartitionTraits {
    using Record = PxUnixProfileOptions;
    static constexpr std::array<UINT, 3> kStructureIds{1941, 1942, 1943};
    static constexpr std::array<UINT, 3> kTypeIds{1944, 1945, 1946};
    static constexpr auto kGetType = &Record::GetProfilePartitionType;
    static constexpr auto kSetType = &Record::SetProfilePartitionType;
    static constexpr auto kClearType = &Record::ClearProfilePartitionType;
    static constexpr std::array<VqsPartitionColumns<Record>, 3> kColumns{
        VQS_PARTITION_COLUMNS(Record, ProfileTablePartitionColumns),
        VQS_PARTITION_COLUMNS(Record, ProfileAutoIndexPartitionColumns),
        VQS_PARTITION_COLUMNS(Record, ProfileOrdinateIndexPartitionColumns)};
};

// The business segment: columns over the data items of its EVENT Ispec; its table cannot be
// partitioned Local and its automatic index shows its type only.
class VqsOptionPageUnixBSegPartition : public VqsOptionPageUnixPartition<VqsUnixBSegPartitionTraits> {
public:
    VqsOptionPageUnixBSegPartition(VqsOptionsSheet* sheet, UINT dialogId, int pageIndex);

protected:
    std::vector<CString> GatherDataItems() override;
    void ApplyTypeRules() override;
};

// The component: columns over its own data items; an 'M' component's automatic index shows
// its type only. Every store also partitions the table of the component's ordinate profile
// like the component's table when that profile's table is partitioned Local.
class VqsOptionPageUnixComponentPartition : public VqsOptionPageUnixPartition<VqsUnixComponentPartitionTraits> {
public:
    VqsOptionPageUnixComponentPartition(VqsOptionsSheet* sheet, UINT dialogId, int pageIndex);
    ~VqsOptionPageUnixComponentPartition() override;

    BOOL ApplyPage(BOOL isActivePage, BOOL clearUpdatedMarkWhenDefault) override;

protected:
    std::vector<CString> GatherDataItems() override;
    void ApplyTypeRules() override;
    void AfterStore() override;

private:
    void PropagateToOrdinateProfile();
    void PropagateTo(const PxUnixProfileOptionsPtr& profile);
    // The profile's options may be written: write-locked through the model, or refused
    // (VqReportableException).
    void LockForPropagation(const PxUnixProfileOptionsPtr& profile);

    BOOL m_bTypeM = FALSE;
    std::unique_ptr<VqsLockBag> m_pPropagationLocks;
    std::vector<VqsModelNode*> m_propagatedNodes;
};

// The profile: columns over its ordinates' data items, added and deleted in sequence
// order; the two indexes of a conditional profile; Local shows the partitions of the
// element the profile is over.
class VqsOptionPageUnixProfilePartition : public VqsOptionPageUnixPartition<VqsUnixProfilePartitionTraits> {
public:
    VqsOptionPageUnixProfilePartition(VqsOptionsSheet* sheet, UINT dialogId, int pageIndex);

protected:
    std::vector<CString> GatherDataItems() override;
    void ApplyTypeRules() override;
    BOOL LoadLocalDefinitions() override;
    CString DataItemOffered() const override;
    CString ColumnOffered() const override;
    BOOL AreColumnChoicesShownOnly() const override { return TRUE; }

private:
    struct Ordinate {
        CString item;
        int sequence;
    };
    // Among the ordinates over one of the names, the item of the lowest (highest) sequence;
    // the first (last) in dictionary order among equals; empty for none.
    CString FindLowestSequenceItem(const std::vector<CString>& names) const;
    CString FindHighestSequenceItem(const std::vector<CString>& names) const;
    // The options of the element the profile is over (the business segment's for an event),
    // or null.
    PxVQOptionsPtr OwnerOptions() const;

    std::vector<Ordinate> m_ordinates;
    BOOL m_bConditional = FALSE;
};
