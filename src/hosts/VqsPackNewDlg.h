// The name and the Windows and UNIX type of a new pack. OK refuses the reserved name
// "default" and an empty name, then runs the caller's creation, which refuses a name another
// pack has (without regard to case, after the pack list is read again when the enterprise
// changed) under its locks; a creation that made nothing keeps the dialog open.
#pragma once

#include "proxy/PxObjectEdition.h"
#include "shell/VqsDialog.h"
#include "shell/VqsOptCtrlRadio.h"
#include "shell/VqsOptCtrlString.h"

#include <functional>

class VqsModelNodeEnterprise;

class VqsPackNewDlg : public VqsDialog {
public:
    static constexpr int IDC_NAME = 1376;
    static constexpr int IDC_NOT_DEFINED = 1373;
    static constexpr int IDC_TABLESPACE = 1374;
    static constexpr int IDC_DISK_PATH = 1375;

    VqsPackNewDlg(VqsModelNodeEnterprise* enterprise, const PxObjectEdition& enterpriseEdition, CWnd* parent);
    ~VqsPackNewDlg() override;

    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    // After IDOK: the name as checked (without blanks around it) and the last type clicked.
    CString GetPackName() const { return m_strCheckedName; }
    int GetPackType() const { return m_nPackType; }
    // What OK runs once the values are checked: nonzero when the pack was stored.
    void SetCreation(std::function<BOOL()> creation) { m_creation = std::move(creation); }
    // How to tell the user that another pack has the checked name; empty when none has.
    std::function<void()> FindNameTaken();

protected:
    void OnNotDefined() { m_nPackType = 0; }
    void OnDiskPath() { m_nPackType = 1; }
    void OnTablespace() { m_nPackType = 2; }

    DECLARE_MESSAGE_MAP()

private:
    void RefuseName(UINT messageId);

    int m_nPackType = 0;
    VqsOptCtrlString m_name;
    VqsOptCtrlRadio m_typeButtons;
    VqsModelNodeEnterprise* m_pEnterprise;
    PxObjectEdition m_enterpriseEdition;
    CString m_strCheckedName;
    std::function<BOOL()> m_creation;
};
