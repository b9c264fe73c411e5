// A report-style list control whose rows stand for repository objects: one heap record per
// row (its item data) holds the object, the row's mark bitmap and its object image. The
// template fills, selects, draws and sorts; what a row shows comes from five operations of
// the concrete controls (VqsTypedListCtrls.h).
#pragma once

#include "proxy/PxHandle.h"
#include "proxy/PxTypedList.h"
#include "proxy/VqException.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsRedrawSwitch.h"
#include "shell/VqsSysApp.h"
#include "win/CHeaderCtrl.h"
#include "win/CListCtrl.h"
#include "win/CString.h"
#include "win/Collections.h"

#include <memory>
#include <unordered_map>
#include <vector>

constexpr UINT IDS_CANNOT_FILL_TYPED_LIST = 61497;

// The part of a row record that does not depend on the object's kind.
struct VqsTypedListItemData {
    VqsBitmapRef mark;
    VqsImageRef image;
    BOOL loaded = FALSE;
    BOOL valid = FALSE;

    // Rows that no longer match the model sort first.
    BOOL IsFlagged() const { return image.nVariant == 2 || (loaded && valid && image.nVariant == 3); }
};

template <class T>
struct VqsTypedListItemDataStruct : VqsTypedListItemData {
    VqsTypedListItemDataStruct(const VqsBitmapRef& markRef, const T& objectRef) : object(objectRef)
    {
        mark = markRef;
    }
    VqsTypedListItemDataStruct(const VqsBitmapRef& markRef, const VqsImageRef& imageRef, BOOL isValid,
                               const T& objectRef)
        : object(objectRef)
    {
        mark = markRef;
        image = imageRef;
        valid = isValid;
        loaded = TRUE;
    }

    T object;
};

// What one sort needs: the control, the column, the column count and the direction.
struct VqsTypedListSortParam {
    CListCtrl* control;
    int column;
    int columnCount;
    BOOL ascending;
};

// The non-typed work of the template, in VqsTypedListCtrl.cpp.
namespace vqs_typed_list {

// Inserts the columns with the header texts of `headerIds`, sharing the client width; FALSE
// when a text cannot be loaded or a column not inserted.
BOOL InsertColumns(CListCtrl* list, const std::vector<UINT>& headerIds);
// Sorts the rows: flagged rows first, then by the texts of the sort column (no regard to
// case), ties broken by the other columns in ascending order. Shows the header arrow.
void SortRows(const VqsTypedListSortParam& param);
void DrawRow(CListCtrl* list, LPDRAWITEMSTRUCT dis, const VqsTypedListItemData& record, BOOL present,
             int columnCount);
UINT RowHeight(CListCtrl* list);
int ColumnSubItem(const CListCtrl* list, int column);
VqsTypedListItemData* RecordOfRow(const CListCtrl* list, int row);
int RowOfRecord(const CListCtrl* list, const VqsTypedListItemData* record);

} // namespace vqs_typed_list

template <class T>
class VqsTypedListCtrl : public CListCtrl {
public:
    using Record = VqsTypedListItemDataStruct<T>;

    explicit VqsTypedListCtrl(int sortColumn = 0) : m_nSortColumn(sortColumn) {}
    ~VqsTypedListCtrl() override { DeleteRecords(); }

    virtual BOOL IsDetailDeferred() { return FALSE; }
    virtual unsigned GetColumnCount() = 0;
    // 0 for a column out of range.
    virtual UINT GetColumnHeaderId(int column) = 0;
    // Empty for a column the control does not have.
    virtual CString GetColumnText(int subItem, const T& object) = 0;
    // Leaves the mark {0, null} for none, as a list without marks does.
    virtual void GetItemMark(const T&, VqsBitmapRef*) {}
    virtual BOOL GetItemDetails(const T& object, VqsImageRef* image) = 0;
    virtual void MeasureItem(LPMEASUREITEMSTRUCT mis) { mis->itemHeight = vqs_typed_list::RowHeight(this); }

    // Columns are set up once: a list that has them keeps them (its owner may set it up
    // again, as the target report list is at every change of its report group).
    BOOL InitColumns()
    {
        if (const CHeaderCtrl* header = GetHeaderCtrl(); header && header->GetItemCount() > 0)
            return TRUE;
        ModifyStyle(0, LVS_REPORT | LVS_SHOWSELALWAYS);
        m_bSortable = !(GetStyle() & LVS_NOSORTHEADER);
        std::vector<UINT> headerIds;
        for (int column = 0, count = static_cast<int>(GetColumnCount()); column < count; ++column)
            headerIds.push_back(GetColumnHeaderId(column));
        return vqs_typed_list::InsertColumns(this, headerIds);
    }

    // One row per object, each inserted at the top; then sorted. FALSE, unsorted, when a row
    // cannot be inserted or the repository fails (shown).
    BOOL SetObjects(PxTypedList<T>& objects)
    {
        DeleteAllItems();
        try {
            POSITION pos = nullptr;
            for (objects.SetIteratorToHead(pos); objects.IsIteratorActive(pos);) {
                const T object = objects.GetNext(pos);
                if (object && InsertRow(object) < 0)
                    return FALSE;
            }
        } catch (const VqReportableException& error) {
            ShowErrorById(IDS_CANNOT_FILL_TYPED_LIST, error);
            return FALSE;
        }
        Sort();
        return TRUE;
    }

    // Rows for the objects not listed yet that still exist; then sorted.
    void AddObjects(PxTypedList<T>& objects)
    {
        if (objects.IsEmpty())
            return;
        try {
            POSITION pos = nullptr;
            for (objects.SetIteratorToHead(pos); objects.IsIteratorActive(pos);) {
                const T object = objects.GetNext(pos);
                if (object && !FindItemData(object) && object->ObjectPresent())
                    InsertRow(object);
            }
        } catch (const VqReportableException& error) {
            ShowErrorById(IDS_CANNOT_FILL_TYPED_LIST, error);
            return;
        }
        Sort();
    }

    void RefreshObject(const T& object)
    {
        Record* record = FindItemData(object);
        const int row = record ? vqs_typed_list::RowOfRecord(this, record) : -1;
        if (row < 0)
            return;
        record->mark = VqsBitmapRef();
        GetItemMark(record->object, &record->mark);
        if (IsDetailDeferred()) {
            record->loaded = FALSE;
        } else {
            VqsImageRef image;
            record->valid = GetItemDetails(record->object, &image);
            record->image = image;
        }
        SetColumnTexts(row, record->object, 0);
        RedrawItems(row, row);
        Sort();
        UpdateWindow();
    }

    void RefreshAllDetails()
    {
        {
            VqsRedrawSwitch redraw(this);
            for (int row = 0, rows = GetItemCount(); row < rows; ++row) {
                if (Record* record = RecordOfRow(row))
                    RefreshDetails(row, *record);
            }
        }
        UpdateWindow();
    }

    void Sort()
    {
        if (m_bSortable)
            SortRows();
    }

    void GetSelectedObjects(PxTypedList<T>& objects)
    {
        objects.RemoveAll();
        for (int row = GetNextItem(-1, LVNI_SELECTED); row != -1; row = GetNextItem(row, LVNI_SELECTED)) {
            if (Record* record = RecordOfRow(row))
                objects.AddTail(record->object);
        }
    }

    T GetFirstSelected()
    {
        PxTypedList<T> selected;
        GetSelectedObjects(selected);
        return selected.IsEmpty() ? T() : selected.GetHead();
    }

    void GetAllObjects(PxTypedList<T>& objects)
    {
        objects.RemoveAll();
        for (int row = 0, rows = GetItemCount(); row < rows; ++row) {
            if (Record* record = RecordOfRow(row))
                objects.AddTail(record->object);
        }
    }

    void SelectObjects(PxTypedList<T>& objects)
    {
        {
            VqsRedrawSwitch redraw(this);
            for (int row = 0, rows = GetItemCount(); row < rows; ++row) {
                Record* record = RecordOfRow(row);
                const UINT wanted = record && IsListed(objects, record->object) ? LVIS_SELECTED : 0;
                if (GetItemState(row, LVIS_SELECTED) != wanted)
                    SetItemState(row, wanted, LVIS_SELECTED);
            }
        }
        UpdateWindow();
    }

    void SelectObject(const T& object)
    {
        PxTypedList<T> objects;
        objects.AddTail(object);
        SelectObjects(objects);
    }

    // Takes the selected rows out, top to bottom, handing back their objects.
    void RemoveSelected(PxTypedList<T>& objects)
    {
        objects.RemoveAll();
        for (int row = GetNextItem(-1, LVNI_SELECTED); row != -1; row = GetNextItem(row - 1, LVNI_SELECTED)) {
            Record* record = RecordOfRow(row);
            if (record)
                objects.AddTail(record->object);
            RemoveRow(row, record);
        }
    }

    BOOL DeleteAllItems()
    {
        const BOOL deleted = CListCtrl::DeleteAllItems();
        DeleteRecords();
        return deleted;
    }

    Record* FindItemData(const T& object)
    {
        if (!object)
            return nullptr;
        const auto found = m_byObject.find(object->GetHandle());
        return found == m_byObject.end() ? nullptr : found->second;
    }

    // The row's image when its details are loaded (now, when they were not) and valid.
    BOOL LoadItemDetails(const T& object, VqsImageRef* image)
    {
        Record* record = FindItemData(object);
        if (!record)
            return FALSE;
        if (!record->loaded)
            LoadDetails(*record);
        if (!record->loaded || !record->valid)
            return FALSE;
        *image = record->image;
        return TRUE;
    }

    void RedrawObject(const T& object, const VqsImageRef& image)
    {
        Record* record = FindItemData(object);
        if (!record)
            return;
        record->image = image;
        record->valid = TRUE;
        record->loaded = TRUE;
        const int row = vqs_typed_list::RowOfRecord(this, record);
        if (row >= 0)
            RedrawItems(row, row);
    }

    int GetColumnSubItem(int column) const { return vqs_typed_list::ColumnSubItem(this, column); }

    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        Record* record = RecordFromData(static_cast<LPARAM>(dis->itemData));
        if (!record)
            return;
        if (!record->loaded)
            LoadDetails(*record);
        vqs_typed_list::DrawRow(this, dis, *record, IsPresent(record->object), static_cast<int>(GetColumnCount()));
    }

    static CString GetObjectName(const T& object) { return VqsShownName(object); }

    BOOL IsAscending() const { return m_bAscending; }

protected:
    void OnColumnClick(NMHDR* header, LRESULT* result)
    {
        const int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
        if (column >= 0 && column < static_cast<int>(GetColumnCount())) {
            if (column == m_nSortColumn) {
                m_bAscending = !m_bAscending;
            } else {
                m_nSortColumn = column;
                m_bAscending = TRUE;
            }
            SortRows();
        }
        *result = 0;
    }

    Record* RecordOfRow(int row) const
    {
        return static_cast<Record*>(vqs_typed_list::RecordOfRow(this, row));
    }

    // Takes one row and its record out.
    void RemoveRow(int row, Record* record)
    {
        DeleteItem(row);
        if (!record)
            return;
        const auto indexed = m_byObject.find(record->object->GetHandle());
        if (indexed != m_byObject.end() && indexed->second == record)
            m_byObject.erase(indexed);
        m_records.erase(record);
    }

    DECLARE_MESSAGE_MAP()

private:
    static Record* RecordFromData(LPARAM data)
    {
        return static_cast<Record*>(reinterpret_cast<VqsTypedListItemData*>(data));
    }

    int InsertRow(const T& object)
    {
        const int row = InsertItem(LVIF_TEXT, 0, GetColumnText(0, object), 0, 0, 0, 0);
        if (row < 0)
            return row;
        VqsBitmapRef mark;
        GetItemMark(object, &mark);
        Record* record = nullptr;
        if (IsDetailDeferred()) {
            record = new Record(mark, object);
        } else {
            VqsImageRef image;
            const BOOL valid = GetItemDetails(object, &image);
            record = new Record(mark, image, valid, object);
        }
        m_records.emplace(record, std::unique_ptr<Record>(record));
        m_byObject.emplace(object->GetHandle(), record);
        SetItem(row, 0, LVIF_PARAM, nullptr, 0, 0, 0,
                reinterpret_cast<LPARAM>(static_cast<VqsTypedListItemData*>(record)));
        SetColumnTexts(row, object, 1);
        return row;
    }

    void SetColumnTexts(int row, const T& object, int firstColumn)
    {
        for (int column = firstColumn, count = static_cast<int>(GetColumnCount()); column < count; ++column) {
            const int subItem = GetColumnSubItem(column);
            SetItemText(row, subItem, GetColumnText(subItem, object));
        }
    }

    // Details that fail are tried again at the next paint.
    void LoadDetails(Record& record)
    {
        try {
            VqsImageRef image;
            record.valid = FALSE;
            record.valid = GetItemDetails(record.object, &image);
            record.image = image;
            record.loaded = TRUE;
        } catch (const VqReportableException&) {
        }
    }

    void RefreshDetails(int row, Record& record)
    {
        if (IsDetailDeferred()) {
            if (record.loaded) {
                record.loaded = FALSE;
                RedrawItems(row, row);
            }
            return;
        }
        VqsImageRef image;
        BOOL valid = FALSE;
        try {
            valid = GetItemDetails(record.object, &image);
        } catch (const VqReportableException&) {
            valid = FALSE;
        }
        const bool changed = record.valid != valid || (valid && (record.image.nBase != image.nBase ||
                                                                 record.image.nVariant != image.nVariant));
        if (!changed)
            return;
        record.valid = valid;
        if (valid)
            record.image = image;
        RedrawItems(row, row);
    }

    void SortRows()
    {
        vqs_typed_list::SortRows({this, m_nSortColumn, static_cast<int>(GetColumnCount()), m_bAscending});
    }

    static BOOL IsListed(PxTypedList<T>& objects, const T& object)
    {
        for (POSITION pos = objects.GetHeadPosition(); pos;) {
            const T& listed = objects.GetNext(pos);
            if (listed && listed->IsSameOid(object))
                return TRUE;
        }
        return FALSE;
    }

    static BOOL IsPresent(const T& object)
    {
        try {
            return object->ObjectPresent();
        } catch (const VqException&) {
            return FALSE;
        }
    }

    void DeleteRecords()
    {
        m_byObject.clear();
        m_records.clear();
    }

    BOOL m_bSortable = FALSE;
    int m_nSortColumn;
    BOOL m_bAscending = TRUE;
    std::unordered_map<const Record*, std::unique_ptr<Record>> m_records;
    // The first row's record of each object, so that a big list finds a row in constant time.
    std::unordered_map<PxHandle, Record*> m_byObject;
};

BEGIN_TEMPLATE_MESSAGE_MAP(VqsTypedListCtrl, T, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, &VqsTypedListCtrl<T>::OnColumnClick)
    ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()
