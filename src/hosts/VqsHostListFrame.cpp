#include "hosts/VqsHostListFrame.h"

namespace {
constexpr UINT IDR_HOST_FRAME = 137;
}

VqsHostListFrame::VqsHostListFrame(VqsViewUpdateCallBack update, VqsViewMessageCallBack message, const LOGFONT* font)
    : VqsListFrame(update, message, font)
{
}

VqsHostListFrame* VqsHostListFrame::CreateHostFrame(HWND host, VqsViewUpdateCallBack update,
                                                    VqsViewMessageCallBack message, const LOGFONT* font)
{
    auto* frame = new VqsHostListFrame(update, message, font);
    return VqsCreateFrameOverHost(frame, host) ? frame : nullptr;
}

VqsListView* VqsHostListFrame::GetCurrentView() { return nullptr; }

VqsListView* VqsHostListFrame::GetNextView(VqsListView*) { return nullptr; }

VqsListView* VqsHostListFrame::GetNextPane(VqsListView*) { return nullptr; }

UINT VqsHostListFrame::GetMenuId() { return IDR_HOST_FRAME; }
