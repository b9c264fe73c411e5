// Which Ispecs of a business segment are members of one bundle: two lists side by side and
// four buttons that move Ispecs between them. The first move locks the link and the bundle
// and checks that nobody changed the membership meanwhile; each move keeps locks on exactly
// the Ispecs whose membership differs from the stored one; OK writes the difference in one
// transaction and then removes the element links that no longer serve any purpose.
#pragma once

#include "model/VqsLockBag.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "shell/VqsDialog.h"
#include "shell/VqsTypedListCtrls.h"
#include "win/CButton.h"

class VqsModelNodeBSLink;
class VqsModelNodeBundle;

class VqsOptIspecBundleDlg : public VqsDialog {
public:
    static constexpr int IDC_AVAILABLE = 1820;
    static constexpr int IDC_MEMBERS = 1821;
    static constexpr int IDC_ADD = 1818;
    static constexpr int IDC_ADD_ALL = 1819;
    static constexpr int IDC_REMOVE = 1817;
    static constexpr int IDC_REMOVE_ALL = 1816;
    static constexpr int IDC_AVAILABLE_COUNT = 1822;
    static constexpr int IDC_MEMBER_COUNT = 1823;

    VqsOptIspecBundleDlg(VqsLockBag* bag, VqsModelNodeBundle* bundle, CWnd* parent);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void OnAdd() { Move(m_available, m_members, FALSE, FALSE); }
    void OnAddAll() { Move(m_available, m_members, TRUE, FALSE); }
    void OnRemove() { Move(m_members, m_available, FALSE, TRUE); }
    void OnRemoveAll() { Move(m_members, m_available, TRUE, TRUE); }
    void OnMembersChanged(NMHDR* header, LRESULT* result);
    void OnAvailableChanged(NMHDR* header, LRESULT* result);
    LRESULT OnUpdateRemove(WPARAM, LPARAM);
    LRESULT OnUpdateAdd(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    using IspecList = PxTypedList<PxVQIspecSoftLinkPtr>;

    void CollectMembers(IspecList& members, CObList& nodes);
    void CollectAvailable(const IspecList& members, IspecList& available, CObList& nodes);
    void UpdateButtons();
    BOOL BeginEdit();
    BOOL LockMovedIspecs(const IspecList& moved, BOOL removing);
    // Keeps the ispec's entry of this bundle locked while its membership differs from the
    // stored one; `back` takes the lock out again.
    BOOL LockEntry(const PxVQIspecSoftLinkPtr& ispec, BOOL back, VqsLockBag& released);
    void Move(VqsTypedListCtrl_IspecBundleDataLink& from, VqsTypedListCtrl_IspecBundleDataLink& to, BOOL all,
              BOOL removing);
    void EndWithError(UINT messageId, const VqException* error);
    BOOL Write(const IspecList& removed, const IspecList& added);
    // Deletes the links of the candidates that no bundle of their own keeps; FALSE when one
    // was refused.
    BOOL RemoveUnneededLinks(const CObList& candidates);

    PxVQBundlePtr m_pBundle;
    VqsTypedListCtrl_IspecBundleDataLink m_available;
    VqsTypedListCtrl_IspecBundleDataLink m_members;
    CButton m_okButton;
    CButton m_addButton;
    CButton m_addAllButton;
    CButton m_removeButton;
    CButton m_removeAllButton;
    int m_nAvailableCount = 0;
    int m_nMemberCount = 0;
    VqsModelNodeBundle* m_pBundleNode;
    VqsModelNodeBSLink* m_pLinkNode;
    PxVQBSSoftLinkPtr m_pLink;
    IspecList m_initialMembers;
    IspecList m_initialAvailable;
    BOOL m_bContainsAll = FALSE;
    BOOL m_bEditing = FALSE;
    BOOL m_bRemovePending = FALSE;
    BOOL m_bAddPending = FALSE;
    VqsLockBag* m_pBag;
    VqsLockBag m_update{VqsFutureUpdateLock};
    VqsLockBag m_linkBag{VqsNoLock};
};
