// A parent window for control tests: it keeps every notification its controls send, in
// order, and lets a test answer them.
#pragma once

#include "WinTestSupport.h"

#include <functional>
#include <vector>

struct Notice {
    UINT message; // WM_COMMAND or WM_NOTIFY
    int id;
    UINT code;
};

class ParentWnd : public RecordingWnd {
public:
    ParentWnd() { CreateTop("parent", WS_POPUP | WS_VISIBLE); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND && lParam) {
            const Notice notice{message, LOWORD(wParam), HIWORD(wParam)};
            notices.push_back(notice);
            if (onCommand)
                onCommand(notice);
        }
        if (message == WM_NOTIFY) {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            notices.push_back({message, static_cast<int>(header->idFrom), header->code});
            if (onNotify)
                return onNotify(header);
        }
        return RecordingWnd::WindowProc(message, wParam, lParam);
    }

    // The codes the control with `id` sent, in order.
    std::vector<UINT> Codes(int id) const
    {
        std::vector<UINT> codes;
        for (const Notice& notice : notices) {
            if (notice.id == id)
                codes.push_back(notice.code);
        }
        return codes;
    }
    void Clear()
    {
        notices.clear();
        received.clear();
    }

    std::vector<Notice> notices;
    std::function<void(const Notice&)> onCommand;
    std::function<LRESULT(NMHDR*)> onNotify;
};

inline HWND MakeControl(LPCSTR className, DWORD style, HWND parent, int id, LPCSTR text = "",
                        CRect rect = CRect(0, 0, 120, 100))
{
    return CreateWindowEx(0, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top, rect.Width(),
                          rect.Height(), parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
}

inline std::string WindowText(HWND hwnd)
{
    char buffer[512] = "";
    GetWindowText(hwnd, buffer, sizeof buffer);
    return buffer;
}
