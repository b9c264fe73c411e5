// The report alias dialogs on the "Report in the Group Options" template: one puts a report
// of the business segment into a report group, optionally under another "As Name"; the
// other changes that name. A generate-as name is unique, ignoring case, among the group's
// generate-as names and the names of its reports.
#pragma once

#include "config/VqsEditSession.h"
#include "proxy/PxObjectEdition.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/PxVQReportSoftLink.h"
#include "shell/VqsDialog.h"
#include "shell/VqsOptCtrlString.h"
#include "shell/VqsTypedComboBox.h"
#include "win/CButton.h"

class VqsLockBag;
class VqsModelNodeElementLink;
class VqsModelNodeRepAlias;
class VqsModelNodeRepGroup;

class VqsOptRepAliasDlg : public VqsDialog {
public:
    static constexpr int IDC_REPORT = 1292;
    static constexpr int IDC_GENERATE_AS = 1391;

    VqsOptRepAliasDlg(VqsLockBag* bag, VqsModelNodeRepGroup* group, CWnd* parent);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    // The entry the dialog made; null until OK succeeded.
    PxVQReportSoftLinkAliasPtr GetAlias() const { return m_pAlias; }

private:
    // Lists the reports of the segment not in the group yet; FALSE (the dialog ended) when
    // there are none or they cannot be read.
    BOOL CollectReports();
    // The business-segment link and the group are locked and read again; FALSE when the
    // dialog stays open or has ended.
    BOOL LockAndRecheck(VqsLockBag& read, VqsLockBag& write);
    // Whether the chosen report or the generate-as name clashes with an entry of the
    // group; the user is told.
    BOOL ClashesWithGroup(const CString& generateAs);
    BOOL Create(const CString& generateAs);
    void Stay(UINT messageId, int focusId);

    PxVQReportSoftLinkAliasPtr m_pAlias;
    VqsOptCtrlString m_generateAs;
    VqsTypedComboBox_ReportSoftLink m_reports;
    PxVQReportSoftLinkPtr m_pReport;
    VqsModelNodeRepGroup* m_pGroupNode;
    VqsLockBag* m_pBag;
};

class VqsOptRepAliasEditDlg : public VqsDialog {
public:
    static constexpr int IDC_REPORT = 1292;
    static constexpr int IDC_GENERATE_AS = 1391;

    VqsOptRepAliasEditDlg(VqsLockBag* bag, VqsModelNodeRepAlias* alias, const PxObjectEdition& aliasEdition,
                          VqsModelNodeElementLink* report, const PxObjectEdition& reportEdition, CWnd* parent);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    void OnGenerateAsChanged() { m_session.OnControlChanged(m_generateAs); }
    DECLARE_MESSAGE_MAP()

private:
    BOOL LoadAlias();
    // Whether another entry of the group has the name as its generate-as name or its
    // report's name; the user is told. Entries whose report has no node are passed over.
    BOOL IsNameTaken(const CString& generateAs, VqsLockBag& others);
    BOOL Save(const CString& generateAs);

    VqsOptCtrlString m_generateAs;
    CButton m_okButton;
    VqsTypedComboBox_SoftLink m_report;
    VqsModelNodeRepAlias* m_pAliasNode;
    VqsModelNodeElementLink* m_pReportNode;
    VqsLockBag* m_pBag;
    PxObjectEdition m_aliasEdition;
    PxObjectEdition m_reportEdition;
    VqsEditSession m_session;
};
