// The options preview of the system frame: read-only, the options that the selected option
// set holds for the one soft link selected in the tree, as groups of "Option" and "Value"
// rows. Nothing is read from the repository while the pane has no height; a new record of
// the same sort keeps the rows (and what is expanded) and only takes the new values.
#pragma once

#include "proxy/PxOptionGroup.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSoftLink.h"
#include "shell/VqsTreeItem.h"
#include "shell/VqsTreeView.h"
#include "sysview/VqsSysFrame.h"

#include <vector>

class VqsOptionPreview;

// The rows of the preview: groups at the top, their options below them.
class VqsOptionTreeItem : public VqsTreeItem {
public:
    VqsOptionTreeItem(VqsTreeItem* parent, VqsOptionPreview* view) : VqsTreeItem(parent), m_pView(view) {}
    BOOL IsTreeItem() override { return TRUE; }
    VqsListView* GetView() override;
    VqsTreeView* GetTreeView() override;
    // An ancestor sorts before its descendants; rows under different parents sort as the
    // rows of their lines that share a parent.
    int Compare(VqsTreeItem* other) final;

protected:
    // The order of two rows under the same parent.
    virtual int CompareSibling(VqsOptionTreeItem* other) = 0;

    VqsOptionPreview* m_pView;
};

class VqsOptionTreeItemItem : public VqsOptionTreeItem {
public:
    VqsOptionTreeItemItem(VqsTreeItem* parent, VqsOptionPreview* view, const PxOptionItemPtr& item);

    const char* GetText() override { return m_strName; }
    const char* GetDisplayText() override { return m_nIndex < 0 ? m_strName.GetString() : m_strNumberedName.GetString(); }
    BOOL GetColumnText(int column, CString& text) override;
    BOOL GetBitmap(VqsBitmapRef& bitmap) override;
    BOOL GetOverlayImage(VqsImageRef& image) override;
    void FillChildren(int) override {}
    void UpdateState() override { SetState(Leaf); }

    // Repeated names are told apart by "name [index]".
    void Number(int index);
    // The value of the option item, or of the same option of another record.
    void ReadValue(const PxOptionItemPtr& item);
    BOOL IsRowOf(const PxOptionItemPtr& item) const { return m_item->IsSameOption(*item); }
    const CString& GetName() const { return m_strName; }
    const CString& GetValue() const { return m_strValue; }

protected:
    int CompareSibling(VqsOptionTreeItem* other) override;

private:
    PxOptionItemPtr m_item;
    CString m_strName;
    CString m_strValue;
    CString m_strNumberedName;
    int m_nIndex = -1;
};

class VqsOptionTreeItemGroup : public VqsOptionTreeItem {
public:
    // `sequence` is the group's place in the record's list.
    VqsOptionTreeItemGroup(VqsOptionPreview* view, const PxOptionGroup& group, int sequence);

    const char* GetText() override { return m_strName; }
    const char* GetDisplayText() override { return m_strName; }
    BOOL GetBitmap(VqsBitmapRef& bitmap) override;
    BOOL GetOverlayImage(VqsImageRef& image) override;
    void FillChildren(int insertRows) override;
    void UpdateState() override;

    // Takes the group of a new record of the same sort: name, updated state, and the values
    // of the option rows shown.
    void Update(const PxOptionGroup& group);

protected:
    int CompareSibling(VqsOptionTreeItem* other) override;

private:
    VqsOptionTreeItemItem* FindRowOf(const PxOptionItemPtr& item) const;

    BOOL m_bUpdated = FALSE;
    PxOptionGroup m_group;
    CString m_strName;
    int m_nSequence;
};

class VqsOptionPreview : public VqsTreeView {
public:
    VqsOptionPreview();
    ~VqsOptionPreview() override;

    void OnInitialUpdate();
    void Refresh(VqsModel* model) override;
    int GetColumnCount() override;
    void OnObjectChanged(int hint, const PxVQObjectPtr* object, const PxVQObjectPtr* related) override;

    // Shows the option set's options for the one soft link among the objects.
    void ShowOptionSet(const PxVQOptionSetPtr& optionSet, const VqsObjectList& objects);
    void Clear();
    PxVQOptionSetPtr GetOptionSet() const { return m_optionSet; }
    PxOptionsPtr GetOptions() const { return m_options; }

protected:
    void OnSize(UINT type, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    void Fill();
    void DeleteGroups();

    std::vector<VqsOptionTreeItemGroup*> m_groups;
    BOOL m_bShown = FALSE;
    BOOL m_bRefillNeeded = FALSE;
    PxOptionsPtr m_options;
    PxVQSoftLinkPtr m_softLink;
    PxVQOptionSetPtr m_optionSet;
};
