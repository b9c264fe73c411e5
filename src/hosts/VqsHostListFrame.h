// The host frame: the frame of the pack, host and pack-association views over a host
// window, with menu and accelerator table 137.
#pragma once

#include "shell/VqsListFrame.h"

class VqsHostListFrame : public VqsListFrame {
public:
    // The frame over the host window's client area; null when its window could not be made.
    static VqsHostListFrame* CreateHostFrame(HWND host, VqsViewUpdateCallBack update, VqsViewMessageCallBack message,
                                             const LOGFONT* font);

    VqsListView* GetCurrentView() override;
    VqsListView* GetNextView(VqsListView* previous) override;
    VqsListView* GetNextPane(VqsListView* previous) override;
    UINT GetMenuId() override;

protected:
    VqsHostListFrame(VqsViewUpdateCallBack update, VqsViewMessageCallBack message, const LOGFONT* font);
};
