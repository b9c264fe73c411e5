#include "sysview/VqsSysFrame.h"

namespace {
constexpr UINT IDR_SYSTEM_FRAME = 136;
}

VqsSysFrame::VqsSysFrame(VqsViewUpdateCallBack update, VqsViewMessageCallBack message, const LOGFONT* font)
    : VqsListFrame(update, message, font)
{
}

VqsSysFrame* VqsSysFrame::CreateSystemFrame(HWND host, VqsViewUpdateCallBack update, VqsViewMessageCallBack message,
                                            const LOGFONT* font)
{
    auto* frame = new VqsSysFrame(update, message, font);
    return VqsCreateFrameOverHost(frame, host) ? frame : nullptr;
}

VqsListView* VqsSysFrame::GetCurrentView() { return nullptr; }

VqsListView* VqsSysFrame::GetNextView(VqsListView*) { return nullptr; }

VqsListView* VqsSysFrame::GetNextPane(VqsListView*) { return nullptr; }

UINT VqsSysFrame::GetMenuId() { return IDR_SYSTEM_FRAME; }
