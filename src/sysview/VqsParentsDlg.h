// The "Parents" dialog of the directory view: offers the names the caller lists in a
// drop-down list and gives back the position of the chosen one.
#pragma once

#include "shell/VqsDialog.h"
#include "win/CComboBox.h"
#include "win/Collections.h"

class VqsParentsDlg : public VqsDialog {
public:
    static constexpr UINT IDD = 135;
    static constexpr int IDC_PARENTS = 1044;

    explicit VqsParentsDlg(CWnd* parent);
    ~VqsParentsDlg() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void AddName(const char* name) { m_names.AddTail(name); }
    // The position preselected on opening; after IDOK the chosen one, -1 for none.
    int GetSelectedIndex() const { return m_nSelected; }
    void SetSelectedIndex(int index) { m_nSelected = index; }

protected:
    DECLARE_MESSAGE_MAP()

private:
    int m_nSelected = 0;
    CStringList m_names{10};
    CComboBox m_combo;
};
