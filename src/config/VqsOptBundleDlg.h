// The "Quorbit Bundle Options" dialogs: one makes a new bundle in a business-segment link,
// the other edits a bundle. Both share the controls, their enabling rules and the checks of
// OK; the edit dialog follows the edit protocol, and a rename also rewrites the "bundles to
// generate" of the option sets that name the bundle.
#pragma once

#include "model/VqsLockBag.h"
#include "model/VqsTransactionSoftLink.h"
#include "proxy/PxObjectEdition.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "shell/VqsDialog.h"
#include "shell/VqsOptCtrlFlag.h"
#include "shell/VqsOptCtrlRadio.h"
#include "shell/VqsOptCtrlString.h"
#include "win/CButton.h"
#include "win/CCheckListBox.h"

#include <vector>

class VqsModelNodeBSLink;
class VqsModelNodeBundle;
class VqsModelNodeConfig;

class VqsBundleDlgBase : public VqsDialog {
public:
    static constexpr int IDC_NAME = 1808;
    static constexpr int IDC_DESCRIPTION = 1809;
    static constexpr int IDC_CONTAINS_ALL = 1811;
    static constexpr int IDC_GETTERS_SETTERS = 1802;
    static constexpr int IDC_GENERATE_VIEWS = 1812;
    static constexpr int IDC_VIEW_DEFAULT = 1813;
    static constexpr int IDC_VIEW_USER_DEFINED = 1814;
    static constexpr int IDC_VIEW_CLASS = 1810;
    static constexpr int IDC_LANGUAGES = 1815;
    static constexpr int IDC_GENERATE_INTERFACE = 2050;
    static constexpr int IDC_INTERFACE_DEFAULT = 2047;
    static constexpr int IDC_INTERFACE_USER_DEFINED = 2048;
    static constexpr int IDC_INTERFACE_CLASS = 2049;

    void DoDataExchange(CDataExchange* pDX) override;

protected:
    explicit VqsBundleDlgBase(CWnd* parent);

    // One row per named language slot of the link; `selected` tells the row's check.
    void FillLanguages(const PxVQBSSoftLinkPtr& link, const PxVQBundlePtr& selectedBy);
    void ApplyViewRules();
    void ApplyInterfaceRules();
    void EnableViewControls(BOOL enable);
    void EnableInterfaceControls(BOOL enable);
    // The checks OK shares; the language flags by slot. FALSE (told, focus moved) when an
    // entry is missing.
    BOOL CheckEntries(BOOL requireName, int flags[VqsLanguageSlotCount]);
    void Refuse(UINT messageId, int controlId);
    // Whether another present bundle of the link (not `self`) has the name; told.
    BOOL IsNameTaken(VqsModelNodeBSLink* link, const PxVQBundlePtr& self, const CString& name);

    VqsOptCtrlString m_name;
    VqsOptCtrlString m_description;
    VqsOptCtrlFlag m_containsAll;
    VqsOptCtrlFlag m_gettersSetters;
    VqsOptCtrlFlag m_generateViews;
    VqsOptCtrlRadio m_viewGenerator;
    VqsOptCtrlString m_viewClass;
    VqsOptCtrlFlag m_generateInterface;
    VqsOptCtrlRadio m_interfaceGenerator;
    VqsOptCtrlString m_interfaceClass;
    CCheckListBox m_languages;
    std::vector<int> m_slots;
};

class VqsOptBundleDlg : public VqsBundleDlgBase {
public:
    VqsOptBundleDlg(VqsModelNodeBSLink* link, CWnd* parent);

    BOOL OnInitDialog() override;
    void OnOK() override;
    // The bundle the dialog made; null until OK succeeded.
    PxVQBundlePtr GetBundle() const { return m_pBundle; }

protected:
    void OnViewGeneratorClicked() { ApplyViewRules(); }
    void OnInterfaceGeneratorClicked() { ApplyInterfaceRules(); }
    DECLARE_MESSAGE_MAP()

private:
    VqsModelNodeBSLink* m_pLinkNode;
    PxVQBundlePtr m_pBundle;
};

class VqsOptBundleEditDlg : public VqsBundleDlgBase {
public:
    VqsOptBundleEditDlg(VqsLockBag* bag, VqsModelNodeBundle* bundle, const PxObjectEdition& edition, CWnd* parent);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void OnViewGeneratorClicked();
    void OnInterfaceGeneratorClicked();
    void OnGenerateViewsClicked();
    void OnGenerateInterfaceClicked();
    void OnGettersSettersClicked() { OnControlChanged(m_gettersSetters); }
    void OnDescriptionChanged() { OnControlChanged(m_description); }
    void OnViewClassChanged() { OnControlChanged(m_viewClass); }
    void OnInterfaceClassChanged() { OnControlChanged(m_interfaceClass); }
    void OnNameChanged();
    void OnContainsAllClicked();
    void OnLanguageChecked();
    DECLARE_MESSAGE_MAP()

private:
    BOOL LoadBundle();
    BOOL LockForUpdate();
    // After a lock was taken anew: another user's deletion or newer edition shows.
    BOOL CheckEditionAndReload();
    BOOL OnControlChanged(VqsOptCtrl& binder);
    BOOL LockForRename();
    // The link's lock goes back once neither a rename nor added Ispecs need it.
    void GiveBackLinkLock();
    void CollectRenamedOptionSets();
    BOOL Save(const CString& name, const int flags[VqsLanguageSlotCount]);
    std::vector<int> LanguageChecks() const;

    PxVQBundlePtr m_pBundle;
    CButton m_okButton;
    VqsModelNodeBundle* m_pBundleNode;
    VqsModelNodeConfig* m_pConfigNode;
    PxVQBSSoftLinkPtr m_pLink;
    PxVQConfigPtr m_pConfig;
    VqsLockBag* m_pBag;
    VqsLockBag m_edit{VqsNoLock};
    VqsLockBag m_addedIspecs{VqsNoLock};
    BOOL m_bLocked = FALSE;
    BOOL m_bModified = FALSE;
    BOOL m_bDeleted = FALSE;
    BOOL m_bRenameLocked = FALSE;
    BOOL m_bContainsAllAdded = FALSE;
    BOOL m_bNameChanged = FALSE;
    BOOL m_bReadOnly = FALSE;
    PxObjectEdition m_edition;
    PxTypedList<PxVQIspecSoftLinkPtr> m_ispecs;
    PxTypedList<PxVQOptionSetPtr> m_renamed;
    std::vector<int> m_checks;
};

// Whether the "bundles to generate" text names the bundle (case counts); each name ends with
// a comma.
BOOL VqsBundleListNames(const CString& bundles, const CString& name);
