// The system frame: the frame of the directory, option-set and preview views over a host
// window, with menu and accelerator table 136.
#pragma once

#include "shell/VqsListFrame.h"

class VqsSysFrame : public VqsListFrame {
public:
    // The frame over the host window's client area; null when its window could not be made.
    static VqsSysFrame* CreateSystemFrame(HWND host, VqsViewUpdateCallBack update, VqsViewMessageCallBack message,
                                          const LOGFONT* font);

    VqsListView* GetCurrentView() override;
    VqsListView* GetNextView(VqsListView* previous) override;
    VqsListView* GetNextPane(VqsListView* previous) override;
    UINT GetMenuId() override;

protected:
    VqsSysFrame(VqsViewUpdateCallBack update, VqsViewMessageCallBack message, const LOGFONT* font);
};
