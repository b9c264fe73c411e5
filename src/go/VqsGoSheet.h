// The GO dialog of a list frame: a two-page wizard. On the command page the user picks the
// system and types a GO text, which is parsed at every change (Next for a text of a GO
// command, Finish for any other text); Next resolves it and either ends the sheet or shows
// on the error page why the text cannot be followed.
#pragma once

#include "go/VqsGoSpec.h"
#include "shell/VqsOptCtrlString.h"
#include "shell/VqsPropertyPage.h"
#include "shell/VqsPropertySheet.h"
#include "shell/VqsTypedComboBox.h"

class VqsGoSheet;

class VqsGoCommandPage : public VqsPropertyPage {
public:
    static constexpr UINT IDD = 104;
    static constexpr int IDC_SYSTEM = 1579;
    static constexpr int IDC_GO_TEXT = 1580;

    VqsGoCommandPage();
    ~VqsGoCommandPage() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;

    // No button for an empty text, Finish for a text of no GO command, Next otherwise.
    DWORD GetWizardButtons() const;

    VqsGoSheet* m_pSheet = nullptr;
    VqsOptCtrlString m_goText;
    VqsTypedComboBox_System m_systemCombo;
    VqsAPtr<VqsGoSpec> m_spec;
    int m_bFinished = 0;
    CStringList m_arguments{10};

protected:
    void OnSystemChanged();
    void OnTextChanged();
    DECLARE_MESSAGE_MAP()

private:
    void ParseText();
    void PostButtons(DWORD flags);
};

class VqsGoErrorPage : public VqsPropertyPage {
public:
    static constexpr UINT IDD = 292;
    static constexpr int IDC_TITLE = 1761;
    static constexpr int IDC_SYNTAX = 1762;
    static constexpr int IDC_MESSAGE = 1763;

    VqsGoErrorPage();
    ~VqsGoErrorPage() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;

    VqsGoSheet* m_pSheet = nullptr;
    CString m_strMessage;
    CString m_strTitle;
    CString m_strSyntax;
};

class VqsGoSheet : public VqsPropertySheet {
public:
    VqsGoSheet(VqsModel& model, VqsGoContext& context, CWnd* parent);
    ~VqsGoSheet() override;

    VqsModel* m_pModel;
    VqsGoContext* m_pContext;
    // The selection the sheet started with, given back when its system is picked again.
    VqsGoContext m_savedContext;
    VqsParseReturn m_parseReturn;
    VqsGoCommandPage m_commandPage;
    VqsGoErrorPage m_errorPage;
};
