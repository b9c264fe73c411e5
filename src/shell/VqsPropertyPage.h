// The base of the module's property pages (option pages and wizard pages): the
// option-control connector, and pop-up help for controls or the page's help topic.
#pragma once

#include "shell/VqsDialogCtrlConnector.h"
#include "win/CPropertyPage.h"

class VqsPropertyPage : public CPropertyPage {
public:
    VqsPropertyPage();
    VqsPropertyPage(UINT templateId, UINT captionId);
    VqsPropertyPage(LPCTSTR templateName, UINT captionId);
    ~VqsPropertyPage() override;

    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    BOOL OnHelpInfo(HELPINFO* info);
    DECLARE_MESSAGE_MAP()

    VqsDialogCtrlConnector m_connector;
    int m_bLongNames;
};
