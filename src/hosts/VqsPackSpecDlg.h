// The definition of one pack: its Windows and UNIX type, and through the embedded sheet
// its association with one host at a time. Another pack or host can be chosen inside the
// dialog (changes are offered for saving first). The dialog takes its locks at the first
// change and then checks that nobody changed the pack or the association meanwhile; OK
// writes everything in one transaction.
#pragma once

#include "hosts/VqsPackAssociationsSheet.h"
#include "model/VqsLockBag.h"
#include "proxy/PxObjectEdition.h"
#include "shell/VqsDialog.h"
#include "shell/VqsFocusMemory.h"
#include "shell/VqsOptCtrlRadio.h"
#include "shell/VqsTypedComboBox.h"

#include <memory>

class VqsModelNodeEnterprise;
class VqsModelNodeHost;
class VqsModelNodePack;
class VqsModelNodePackAssociation;

class VqsPackSpecDlg : public VqsDialog {
public:
    static constexpr int IDC_PACK_LIST = 1098;
    static constexpr int IDC_HOST_LIST = 1474;
    static constexpr int IDC_NOT_DEFINED = 1373;
    static constexpr int IDC_TABLESPACE = 1374;
    static constexpr int IDC_DISK_PATH = 1375;
    static constexpr int IDC_SHEET_PLACE = 1062;

    VqsPackSpecDlg(VqsLockBag* callerBag, VqsModelNodePackAssociation* association, VqsModelNodePack* pack,
                   VqsModelNodeHost* host, CWnd* parent);
    ~VqsPackSpecDlg() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    UINT GetResizeSpecs(ResizeSpec*** specs) override;

    // Takes the edit locks the first time and checks that nothing changed meanwhile; FALSE
    // when refused, or when the dialog was loaded again (`reloaded`).
    BOOL BeginEdit(BOOL* reloaded);
    // Shows the failure and closes the dialog.
    void ReportError(const VqReportableException& error);
    // The chosen host's type; QSR without a host.
    int GetCurrentHostType();
    int GetPackType() const { return m_nPackType; }
    // The sheet stored its pages: the pack's views and the pack list show it.
    void OnAssociationsApplied();

    VqsPackAssociationsSheet* GetSheet() const { return m_pSheet.get(); }
    VqsModelNodePack* GetPackNode() const { return m_pPack; }
    VqsModelNodeHost* GetHostNode() const { return m_pHost; }

protected:
    void OnPackSelEndOk();
    void OnHostSelEndOk();
    void OnPackTypeClicked();
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnSetFocus(CWnd* oldWnd);

    DECLARE_MESSAGE_MAP()

private:
    // FALSE after the dialog was ended.
    BOOL LoadDialog();
    BOOL FillLists();
    BOOL LoadAssociation();
    void LoadPackType();
    void LayoutSheet();
    BOOL Apply();
    BOOL IsPackTypeChanged() const { return m_nPackType != m_nLoadedPackType; }
    BOOL HasChanges();
    // Asks whether to save; FALSE when the user cancels or the save fails.
    BOOL OfferToSave();
    void ReleaseEditLocks();
    BOOL IsPackUsedByOptions(VqsLockBag& bag, BOOL& used);
    BOOL SwitchPack(const PxVQPackInformationPtr& pack);
    BOOL SwitchHost(const PxVQHostInformationPtr& host);
    // The association of the pack with the host, locked with the host in `bag`; null when
    // there is none or it is refused or gone.
    VqsModelNodePackAssociation* LockAssociation(VqsModelNodePack* pack, VqsModelNodeHost* host, VqsLockBag& bag);
    // Makes the new objects of `bag` the caller's and loads the dialog on them; on a failure
    // the previous pack, host and objects come back.
    BOOL LoadSwitched(VqsLockBag& bag, VqsModelNodePack* pack, VqsModelNodeHost* host);
    BOOL TakeOverAssociationCreatedMeanwhile(BOOL* reloaded);
    BOOL ReloadChanged(BOOL* reloaded);

    VqsTypedComboBox_Pack m_packList{0};
    VqsTypedComboBox_Host m_hostList{0};
    VqsOptCtrlRadio m_packTypeButtons;
    VqsModelNodePackAssociation* m_pAssociation;
    VqsModelNodePack* m_pPack;
    VqsModelNodeHost* m_pHost;
    int m_nPackListIndex = -1;
    int m_nHostListIndex = 0;
    int m_nLoadedPackType = 0;
    int m_nPackType = 0;
    VqsFocusMemory m_focusWindow;
    std::unique_ptr<VqsPackAssociationsSheet> m_pSheet;
    VqsLockBag* m_pCallerBag;
    VqsLockBag m_ownBag{VqsNoLock};
    BOOL m_bEditLocksHeld = FALSE;
    PxObjectEdition m_packEdition;
    std::unique_ptr<PxObjectEdition> m_pAssociationEdition;
    ResizeSpecAtCorner m_okRule{IDOK};
    ResizeSpecAtCorner m_cancelRule{IDCANCEL};
    ResizeSpecAtCorner m_helpRule{57670};
    ResizeSpec* m_resizeRules[3] = {&m_okRule, &m_cancelRule, &m_helpRule};
};
