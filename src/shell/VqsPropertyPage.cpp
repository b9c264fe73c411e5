#include "shell/VqsPropertyPage.h"

#include "shell/VqsPropertySheet.h"
#include "shell/VqsSysApp.h"
#include "win/Help.h"

namespace {

int AllowLongNames()
{
    auto* app = dynamic_cast<VqsSysApp*>(AfxGetApp());
    return app ? app->GetAllowLongNames() : 0;
}

void ShowHelp(DWORD_PTR topic, UINT command)
{
    if (CWinApp* app = AfxGetApp())
        app->WinHelp(topic, command);
}

} // namespace

BEGIN_MESSAGE_MAP(VqsPropertyPage, CPropertyPage)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

VqsPropertyPage::VqsPropertyPage() : m_connector(this), m_bLongNames(AllowLongNames()) {}

VqsPropertyPage::VqsPropertyPage(UINT templateId, UINT captionId)
    : CPropertyPage(templateId, captionId, sizeof(PROPSHEETPAGE)), m_connector(this), m_bLongNames(AllowLongNames())
{
}

VqsPropertyPage::VqsPropertyPage(LPCTSTR templateName, UINT captionId)
    : CPropertyPage(templateName, captionId, sizeof(PROPSHEETPAGE)), m_connector(this), m_bLongNames(AllowLongNames())
{
}

VqsPropertyPage::~VqsPropertyPage() = default;

// The notices of the page's controls are the user's steps (and the focus leaving them as the
// sheet goes): a sheet a page has abandoned takes none of them.
BOOL VqsPropertyPage::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* sheet = dynamic_cast<VqsPropertySheet*>(GetParent());
    if ((message == WM_COMMAND || message == WM_NOTIFY) && sheet && sheet->IsAbandoned()) {
        *result = 0;
        return TRUE;
    }
    return CPropertyPage::OnWndMsg(message, wParam, lParam, result);
}

BOOL VqsPropertyPage::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    if (!handlerInfo)
        m_connector.OnCommand(id, code);
    return CPropertyPage::OnCmdMsg(id, code, extra, handlerInfo);
}

void VqsPropertyPage::DoDataExchange(CDataExchange* pDX) { m_connector.DoDataExchange(pDX); }

BOOL VqsPropertyPage::OnHelpInfo(HELPINFO* info)
{
    if (info->iContextType == HELPINFO_WINDOW && info->dwContextId != 0) {
        ShowHelp(HID_BASE_CONTROL + static_cast<DWORD>(info->iCtrlId), HELP_CONTEXTPOPUP);
        return TRUE;
    }
    if (m_nIDHelp != 0) {
        ShowHelp(HID_BASE_RESOURCE + m_nIDHelp, HELP_CONTEXT);
        return TRUE;
    }
    return CPropertyPage::OnHelpInfo(info);
}
