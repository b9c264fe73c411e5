// Internal to platform/win: the behaviour of header windows ("SysHeader32").
#pragma once

#include "win/HeaderCtrl.h"
#include "win/Window.h"

#include <string>
#include <vector>

namespace vqwin::detail {

class HeaderControl : public ClassProcedure {
public:
    static std::unique_ptr<ClassProcedure> Make();

    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The font height of header windows decides their height.
    static int Height(int fontHeight) { return fontHeight + 4; }

private:
    struct Item {
        std::string text;
        int width = 0;
        int format = HDF_LEFT | HDF_STRING;
        HBITMAP bitmap = nullptr;
        LPARAM param = 0;
    };

    int Insert(int index, const HDITEM& source);
    BOOL Get(int index, HDITEM& target) const;
    BOOL Set(HWND hwnd, int index, const HDITEM& source);
    BOOL ItemRect(HWND hwnd, int index, RECT& rect) const;
    BOOL Click(HWND hwnd, int index) const;
    void Paint(HWND hwnd) const;
    bool IsIndex(int index) const { return index >= 0 && static_cast<std::size_t>(index) < m_items.size(); }

    std::vector<Item> m_items;
};

} // namespace vqwin::detail
