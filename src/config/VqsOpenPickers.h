// The "Open" pickers: starting from the node the user selected, each lists that node's
// siblings of its kind, preselects the starting object and ends with the button pressed
// ("&Options" 1495, for bundles also "&Ispecs in Bundle" 1807, else Cancel); the caller then
// takes the chosen object. Read locks are held only while the list is filled.
#pragma once

#include "model/VqsModelNode.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/PxVQSystem.h"
#include "shell/VqsDialog.h"
#include "shell/VqsOpenDialogButton.h"
#include "shell/VqsTypedComboBox.h"
#include "win/CDataExchange.h"

#include <type_traits>

class VqsModelNodeBSLink;
class VqsModelNodeConfig;

class VqsOpenPickerDlg : public VqsDialog {
public:
    static constexpr int IDC_OPTIONS = 1495;
    static constexpr int IDC_ISPECS_IN_BUNDLE = 1807;

    BOOL OnInitDialog() override;

protected:
    VqsOpenPickerDlg(UINT templateId, VqsModelNode* start, CWnd* parent);

    // The node whose children are listed.
    virtual VqsModelNode* GetListedNode() = 0;
    // Its children of the picker's kind, from what the model has read.
    virtual void GetSiblings(VqsModelNode* listed, CObList& out) = 0;
    virtual BOOL Fill(const CObList& nodes) = 0;
    // The combo box's entry becomes the chosen object; FALSE when there is none.
    virtual BOOL TakeSelection() = 0;
    virtual void OnListFilled() {}

    void OnOptions() { CloseWith(IDC_OPTIONS); }
    DECLARE_MESSAGE_MAP()

    void CloseWith(int buttonId);

    VqsModelNode* m_pStartNode;
    VqsOpenDialogButton m_options;

private:
    BOOL FillUnderReadLocks();
};

// A typed combo box built without the blank entry.
template <class Combo>
class VqsNoBlankCombo : public Combo {
public:
    VqsNoBlankCombo()
        requires std::is_constructible_v<Combo, int>
        : Combo(0)
    {
    }
    VqsNoBlankCombo()
        requires(!std::is_constructible_v<Combo, int>)
    = default;
};

template <class T, class Combo>
class VqsOpenPicker : public VqsOpenPickerDlg {
public:
    T GetSelected() const { return m_pSelected; }

    void DoDataExchange(CDataExchange* pDX) override
    {
        VqsDialog::DoDataExchange(pDX);
        DDX_Control(pDX, m_nComboId, m_combo);
    }

protected:
    VqsOpenPicker(UINT templateId, int comboId, VqsModelNode* start, CWnd* parent)
        : VqsOpenPickerDlg(templateId, start, parent), m_nComboId(comboId)
    {
    }

    BOOL Fill(const CObList& nodes) override
    {
        PxTypedList<T> objects;
        for (POSITION pos = nodes.GetHeadPosition(); pos;)
            objects.AddTail(T(static_cast<VqsModelNode*>(nodes.GetNext(pos))->GetObject()));
        return m_combo.Fill(objects, T(m_pStartNode->GetObject()));
    }

    BOOL TakeSelection() override
    {
        const T selected = m_combo.GetSelected();
        if (!selected)
            return FALSE;
        m_pSelected = selected;
        return TRUE;
    }

    T m_pSelected;
    VqsNoBlankCombo<Combo> m_combo;
    int m_nComboId;
};

class VqsOpenSystemDlg : public VqsOpenPicker<PxVQSystemPtr, VqsTypedComboBox_System> {
public:
    VqsOpenSystemDlg(VqsModelNode* start, CWnd* parent);

protected:
    VqsModelNode* GetListedNode() override;
    void GetSiblings(VqsModelNode* listed, CObList& out) override;
};

class VqsOpenGenSetDlg : public VqsOpenPicker<PxVQOptionSetPtr, VqsTypedComboBox_OSet> {
public:
    VqsOpenGenSetDlg(VqsModelNode* start, CWnd* parent);

protected:
    VqsModelNode* GetListedNode() override;
    void GetSiblings(VqsModelNode* listed, CObList& out) override;
};

class VqsOpenRepGroupDlg : public VqsOpenPicker<PxVQReportGroupPtr, VqsTypedComboBox_RepGroup> {
public:
    VqsOpenRepGroupDlg(VqsModelNode* start, CWnd* parent);

protected:
    VqsModelNode* GetListedNode() override;
    void GetSiblings(VqsModelNode* listed, CObList& out) override;
};

using VqsOpenBundlePicker = VqsOpenPicker<PxVQBundlePtr, VqsTypedComboBox_Bundle>;

// "&Ispecs in Bundle" is offered for a bundle of the current configuration that does not
// contain every Ispec.
class VqsOpenBundleDlg : public VqsOpenBundlePicker {
public:
    VqsOpenBundleDlg(VqsModelNode* start, CWnd* parent);

    BOOL OnInitDialog() override;

protected:
    VqsModelNode* GetListedNode() override;
    void GetSiblings(VqsModelNode* listed, CObList& out) override;
    void OnListFilled() override;
    void OnIspecsInBundle() { CloseWith(IDC_ISPECS_IN_BUNDLE); }
    DECLARE_MESSAGE_MAP()

private:
    VqsOpenDialogButton m_ispecs;
    BOOL m_bOldConfig = FALSE;
};

// "Generate Bundle Selection": the caller fills both lists and the preselected objects; after
// OK it takes the chosen bundle and option set.
class VqsOpenGenerateBundleDlg : public VqsDialog {
public:
    static constexpr int IDC_BUNDLE = 32849;
    static constexpr int IDC_OPTION_SET = 32848;

    VqsOpenGenerateBundleDlg(VqsModelNodeConfig* config, VqsModelNodeBSLink* link, CWnd* parent);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    PxTypedList<PxVQOptionSetPtr> m_optionSets;
    PxVQOptionSetPtr m_pOptionSet;
    PxTypedList<PxVQBundlePtr> m_bundles;
    PxVQBundlePtr m_pBundle;

protected:
    void OnBundleChanged() { m_pBundle = m_bundleBox.GetSelected(); }
    void OnOptionSetChanged() { m_pOptionSet = m_optionSetBox.GetSelected(); }
    DECLARE_MESSAGE_MAP()

private:
    BOOL LockAndFill();

    VqsTypedComboBox_Bundle m_bundleBox;
    VqsNoBlankCombo<VqsTypedComboBox_OSet> m_optionSetBox;
    VqsModelNodeConfig* m_pConfigNode;
    VqsModelNodeBSLink* m_pLinkNode;
};
