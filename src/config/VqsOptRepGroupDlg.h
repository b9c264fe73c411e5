// The report group dialogs on the "Report Group Options" template: one adds a report group to
// a business-segment link, the other edits a group's names and description. Names are
// unique, ignoring case, among the groups of the link.
#pragma once

#include "config/VqsEditSession.h"
#include "proxy/PxObjectEdition.h"
#include "proxy/PxVQReportGroup.h"
#include "shell/VqsDialog.h"
#include "shell/VqsOptCtrlString.h"
#include "win/CButton.h"

class VqsLockBag;
class VqsModelNodeBSLink;
class VqsModelNodeRepGroup;

// What both dialogs show and check.
class VqsRepGroupDlgBase : public VqsDialog {
public:
    static constexpr int IDC_NAME = 1031;
    static constexpr int IDC_SHORT_NAME = 1030;
    static constexpr int IDC_DESCRIPTION = 1397;

    BOOL OnInitDialog() override;

protected:
    explicit VqsRepGroupDlgBase(CWnd* parent);

    BOOL TakeNames(CString& name, CString& shortName);
    // Whether another present group of the link (not `self`) has the name; on a clash the
    // bag is released, the user told and the focus moved.
    BOOL IsNameTaken(VqsModelNodeBSLink* link, const PxVQReportGroupPtr& self, const CString& name,
                     const CString& shortName, VqsLockBag& bag);

    VqsOptCtrlString m_name;
    VqsOptCtrlString m_shortName;
    VqsOptCtrlString m_description;
};

class VqsOptRepGroupDlg : public VqsRepGroupDlgBase {
public:
    VqsOptRepGroupDlg(VqsModelNodeBSLink* link, CWnd* parent);

    void OnOK() override;
    // The group the dialog made; null until OK succeeded.
    PxVQReportGroupPtr GetReportGroup() const { return m_pReportGroup; }

private:
    PxVQReportGroupPtr m_pReportGroup;
    VqsModelNodeBSLink* m_pLinkNode;
};

class VqsOptRepGroupEditDlg : public VqsRepGroupDlgBase {
public:
    VqsOptRepGroupEditDlg(VqsLockBag* bag, VqsModelNodeRepGroup* group, const PxObjectEdition& edition,
                          CWnd* parent);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void OnNameChanged() { m_session.OnControlChanged(m_name); }
    void OnShortNameChanged() { m_session.OnControlChanged(m_shortName); }
    void OnDescriptionChanged() { m_session.OnControlChanged(m_description); }
    DECLARE_MESSAGE_MAP()

private:
    BOOL LoadReportGroup();
    BOOL Save(const CString& name, const CString& shortName);

    CButton m_okButton;
    VqsModelNodeRepGroup* m_pGroupNode;
    VqsLockBag* m_pBag;
    PxObjectEdition m_edition;
    VqsEditSession m_session;
};
