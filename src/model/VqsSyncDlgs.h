// The two questions of an interactive synchronisation: which of the links that no longer
// match the design are to be deleted. Each lists the links offered; Delete Selection (1)
// hands back the selected ones, Keep all options (7) keeps them all, Cancel (2, also when
// the list cannot be filled) stops the synchronisation. The dialogs change nothing.
#pragma once

#include "shell/VqsDialog.h"
#include "shell/VqsTypedListCtrls.h"

#include <vector>

class VqsModelNodeBSLink;
class VqsModelNodeElementLink;

constexpr int IDKEEPALL = 7;

template <class Traits>
class VqsSyncDeleteDlg : public VqsDialog {
public:
    using Ptr = typename Traits::Ptr;

    VqsSyncDeleteDlg(CWnd* parent, const PxVQObjectPtr& owner, PxTypedList<Ptr>* offered)
        : VqsDialog(Traits::kTemplate, parent), m_pOwner(owner), m_pOffered(offered)
    {
    }

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    PxTypedList<Ptr>& GetSelected() { return m_selected; }
    int GetSelectionCount() const { return m_nCount; }

protected:
    void OnItemChangedList(NMHDR* header, LRESULT* result);
    void OnInvertSelection();
    void OnSelectAll();
    void OnKeepAllOptions();

    DECLARE_MESSAGE_MAP()

private:
    void Recount();
    void ShowCount();

    typename Traits::List m_list;
    PxTypedList<Ptr> m_selected;
    int m_nCount = 0;
    PxVQObjectPtr m_pOwner;
    PxTypedList<Ptr>* m_pOffered;
};

struct VqsSyncDelBSTraits {
    using Ptr = PxVQBSSoftLinkPtr;
    using List = VqsTypedListCtrl_DelBSLink;
    static constexpr UINT kTemplate = 162;
    static constexpr int kList = 1427;
    static constexpr int kCount = 1408;
    static constexpr int kSelectAll = 1428;
    static constexpr int kInvert = 1426;
};

struct VqsSyncElementsTraits {
    using Ptr = PxVQElementSoftLinkPtr;
    using List = VqsTypedListCtrl_DelElementLink;
    static constexpr UINT kTemplate = 199;
    static constexpr int kList = 1046;
    static constexpr int kCount = 1409;
    static constexpr int kSelectAll = 1058;
    static constexpr int kInvert = 1045;
};

// Business-segment links of a configuration.
class VqsSyncDelBSDlg : public VqsSyncDeleteDlg<VqsSyncDelBSTraits> {
public:
    using VqsSyncDeleteDlg::VqsSyncDeleteDlg;
};

// Element links of a business-segment link.
class VqsSyncElementsDlg : public VqsSyncDeleteDlg<VqsSyncElementsTraits> {
public:
    using VqsSyncDeleteDlg::VqsSyncDeleteDlg;
};

// Asks which of the offered element links of the segment link are to be deleted; the chosen
// ones come back (none after Keep all options). False on Cancel.
bool VqsAskElementLinksToDelete(VqsModelNodeBSLink* segmentNode, const std::vector<VqsModelNodeElementLink*>& offered,
                                std::vector<VqsModelNodeElementLink*>& chosen);
