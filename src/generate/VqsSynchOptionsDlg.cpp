#include "generate/VqsSynchOptionsDlg.h"

#include "shell/VqsSysApp.h"

namespace {

constexpr UINT kSynchOptionsTemplate = 158;
constexpr int kFullAutoRadio = 1053;
constexpr int kInteractiveRadio = 1054;
constexpr int kDefaultAutoRadio = 1055;

} // namespace

BEGIN_MESSAGE_MAP(VqsSynchOptionsDlg, VqsDialog)
    ON_COMMAND(kFullAutoRadio, &VqsSynchOptionsDlg::OnFullAuto)
    ON_COMMAND(kInteractiveRadio, &VqsSynchOptionsDlg::OnInteractive)
    ON_COMMAND(kDefaultAutoRadio, &VqsSynchOptionsDlg::OnDefaultAuto)
END_MESSAGE_MAP()

VqsSynchOptionsDlg::VqsSynchOptionsDlg(CWnd* parent) : VqsDialog(kSynchOptionsTemplate, parent) {}

BOOL VqsSynchOptionsDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    const int checked = m_nMode >= 0 && m_nMode <= 2 ? kFullAutoRadio + m_nMode : kDefaultAutoRadio;
    CheckRadioButton(kFullAutoRadio, kDefaultAutoRadio, checked);
    return TRUE;
}

void VqsRunSynchOptions(CWnd* parent)
{
    VqsSysApp* app = VqsGetApp();
    if (!app)
        return;
    VqsSynchOptionsDlg dialog(parent);
    dialog.m_nMode = app->GetSynchronizeMode();
    if (dialog.DoModal() == IDOK)
        app->SetSynchronizeMode(dialog.m_nMode);
}
