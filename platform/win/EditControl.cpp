// The class procedure of "Edit" windows.
#include "win/CDC.h"
#include "win/CEdit.h"
#include "win/ControlSupport.h"
#include "win/Mbcs.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace vqwin::controls {

namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr UINT kLargestSingleLineLimit = 0x7FFFFFFE;
constexpr UINT kLargestMultiLineLimit = 0xFFFFFFFF;

struct Line {
    std::size_t start;
    std::size_t length;
};

std::vector<Line> LinesOf(std::string_view text)
{
    std::vector<Line> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = mbcs::FindText(text, kLineBreak, start);
        if (end == std::string_view::npos) {
            lines.push_back({start, text.size() - start});
            return lines;
        }
        lines.push_back({start, end - start});
        start = end + kLineBreak.size();
    }
}

// Where the character before `pos` starts.
std::size_t PreviousCharStart(std::string_view text, std::size_t pos)
{
    std::size_t start = 0;
    for (std::size_t at = 0; at < pos; at += mbcs::CharLength(text, at))
        start = at;
    return start;
}

// The nearest character boundary at or before `pos`.
std::size_t BoundaryAtOrBefore(std::string_view text, std::size_t pos)
{
    pos = std::min(pos, text.size());
    return mbcs::IsCharBoundary(text, pos) ? pos : PreviousCharStart(text, pos);
}

bool IsDigit(std::string_view ch) { return ch.size() == 1 && ch[0] >= '0' && ch[0] <= '9'; }

class EditProcedure final : public ClassProcedure {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_SETTEXT:
            return SetText(hwnd, reinterpret_cast<LPCSTR>(lParam));
        case EM_GETSEL:
            return GetSelection(wParam, lParam);
        case EM_SETSEL:
            SetSelection(hwnd, static_cast<int>(wParam), static_cast<int>(lParam));
            return 0;
        case EM_REPLACESEL:
            ReplaceSelection(hwnd, reinterpret_cast<LPCSTR>(lParam), wParam != 0);
            return 0;
        case EM_SCROLLCARET:
            return TRUE;
        case EM_GETLINECOUNT:
            return IsMultiLine(hwnd) ? static_cast<LRESULT>(LinesOf(TextOf(hwnd)).size()) : 1;
        case EM_GETLINE:
            return CopyLine(hwnd, static_cast<int>(wParam), reinterpret_cast<LPSTR>(lParam));
        case EM_LIMITTEXT:
            m_limit = wParam ? static_cast<UINT>(wParam)
                             : (IsMultiLine(hwnd) ? kLargestMultiLineLimit : kLargestSingleLineLimit);
            return 0;
        case EM_GETLIMITTEXT:
            return m_limit;
        case EM_CANUNDO:
            return m_undo.has_value();
        case EM_UNDO:
            return Undo(hwnd);
        case EM_EMPTYUNDOBUFFER:
            ForgetUndo();
            return 0;
        case EM_SETREADONLY:
            SetStyleBit(hwnd, ES_READONLY, wParam != 0);
            return TRUE;
        case EM_SETPASSWORDCHAR:
            m_passwordChar = static_cast<char>(wParam);
            SetStyleBit(hwnd, ES_PASSWORD, wParam != 0);
            return 0;
        case EM_GETPASSWORDCHAR:
            return (StyleOf(hwnd) & ES_PASSWORD) ? static_cast<unsigned char>(m_passwordChar) : 0;
        case WM_CHAR:
            Type(hwnd, static_cast<char>(wParam));
            return 0;
        case WM_KEYDOWN:
            return KeyDown(hwnd, static_cast<UINT>(wParam), lParam);
        case WM_SETFOCUS:
            NotifyParent(hwnd, EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            m_typing = false;
            NotifyParent(hwnd, EN_KILLFOCUS);
            return 0;
        case WM_GETDLGCODE:
            return DialogCode(hwnd, static_cast<UINT>(wParam));
        case WM_PAINT:
            Paint(hwnd);
            return 0;
        case WM_VQ_USERACTION:
            return Act(hwnd, UserActionOf(lParam));
        default:
            return ::DefWindowProc(hwnd, message, wParam, lParam);
        }
    }

private:
    struct State {
        std::string text;
        std::size_t start;
        std::size_t end;
    };

    static bool IsMultiLine(HWND hwnd) { return (StyleOf(hwnd) & ES_MULTILINE) != 0; }

    static void SetStyleBit(HWND hwnd, DWORD bit, bool on)
    {
        const DWORD style = StyleOf(hwnd);
        SetWindowLongPtr(hwnd, GWL_STYLE, static_cast<LONG_PTR>(on ? (style | bit) : (style & ~bit)));
        InvalidateRect(hwnd, nullptr, TRUE);
    }

    State Current(HWND hwnd) const { return State{TextOf(hwnd), m_start, m_end}; }

    void Apply(HWND hwnd, const State& state)
    {
        StoreText(hwnd, state.text);
        m_start = state.start;
        m_end = state.end;
        InvalidateRect(hwnd, nullptr, TRUE);
    }

    static void NotifyChanged(HWND hwnd, bool change = true)
    {
        NotifyParent(hwnd, EN_UPDATE);
        if (change && IsWindow(hwnd))
            NotifyParent(hwnd, EN_CHANGE);
    }

    void ForgetUndo()
    {
        m_undo.reset();
        m_typing = false;
    }

    // A multi-line edit does not report a change made by WM_SETTEXT; a single-line one does.
    LRESULT SetText(HWND hwnd, LPCSTR text)
    {
        ForgetUndo();
        Apply(hwnd, State{text ? text : "", 0, 0});
        NotifyChanged(hwnd, !IsMultiLine(hwnd));
        return TRUE;
    }

    LRESULT GetSelection(WPARAM startOut, LPARAM endOut) const
    {
        if (auto* start = reinterpret_cast<DWORD*>(startOut))
            *start = static_cast<DWORD>(m_start);
        if (auto* end = reinterpret_cast<DWORD*>(endOut))
            *end = static_cast<DWORD>(m_end);
        const auto packed = [](std::size_t value) { return static_cast<WORD>(std::min<std::size_t>(value, 0xFFFF)); };
        return static_cast<LRESULT>(MAKELONG(packed(m_start), packed(m_end)));
    }

    void SetSelection(HWND hwnd, int start, int end)
    {
        const std::string text = TextOf(hwnd);
        m_typing = false;
        if (start < 0) {
            m_start = m_end;
            return;
        }
        const auto at = [&](int pos) {
            return BoundaryAtOrBefore(text, pos < 0 ? text.size() : static_cast<std::size_t>(pos));
        };
        m_start = std::min(at(start), at(end));
        m_end = std::max(at(start), at(end));
        InvalidateRect(hwnd, nullptr, TRUE);
    }

    // The inserted text, cut to what the limit leaves room for.
    std::string Fit(const State& state, std::string_view insert) const
    {
        const std::size_t kept = state.text.size() - (state.end - state.start);
        const std::size_t room = kept >= m_limit ? 0 : m_limit - kept;
        return std::string(insert.substr(0, mbcs::CutLength(insert, room)));
    }

    static State Replaced(const State& state, std::string_view insert)
    {
        State next = state;
        next.text.replace(state.start, state.end - state.start, insert);
        next.start = next.end = state.start + insert.size();
        return next;
    }

    void ReplaceSelection(HWND hwnd, LPCSTR text, bool canUndo)
    {
        const State before = Current(hwnd);
        const State after = Replaced(before, Fit(before, text ? text : ""));
        ForgetUndo();
        if (canUndo)
            m_undo = before;
        Apply(hwnd, after);
        NotifyChanged(hwnd);
    }

    LRESULT Undo(HWND hwnd)
    {
        if (!m_undo)
            return FALSE;
        const State undone = *m_undo;
        m_undo = Current(hwnd);
        m_typing = false;
        Apply(hwnd, undone);
        NotifyChanged(hwnd);
        return TRUE;
    }

    LRESULT CopyLine(HWND hwnd, int index, LPSTR buffer) const
    {
        if (!buffer || index < 0)
            return 0;
        WORD size = 0;
        std::memcpy(&size, buffer, sizeof size);
        const std::string text = TextOf(hwnd);
        const std::vector<Line> lines = IsMultiLine(hwnd) ? LinesOf(text) : std::vector<Line>{{0, text.size()}};
        if (static_cast<std::size_t>(index) >= lines.size())
            return 0;
        const std::string_view line = std::string_view(text).substr(lines[index].start, lines[index].length);
        const std::size_t count = mbcs::CutLength(line, size);
        std::memcpy(buffer, line.data(), count);
        if (count < size)
            buffer[count] = '\0';
        return static_cast<LRESULT>(count);
    }

    // A user's change: typed characters that follow each other make one step of undo.
    void Change(HWND hwnd, const State& after, bool typed)
    {
        const State before = Current(hwnd);
        if (!(typed && m_typing))
            m_undo = before;
        m_typing = typed;
        Apply(hwnd, after);
        NotifyChanged(hwnd);
    }

    // What a typed character puts into the text; empty when the edit refuses it.
    std::string Typed(HWND hwnd, std::string character) const
    {
        const DWORD style = StyleOf(hwnd);
        if (character == "\r")
            return (style & ES_MULTILINE) ? std::string(kLineBreak) : std::string();
        if (character == "\t")
            return (style & ES_MULTILINE) ? character : std::string();
        if (static_cast<unsigned char>(character[0]) < 0x20)
            return {};
        if ((style & ES_NUMBER) && !IsDigit(character))
            return {};
        if (style & ES_UPPERCASE)
            mbcs::MakeUpper(character.data(), character.size());
        else if (style & ES_LOWERCASE)
            mbcs::MakeLower(character.data(), character.size());
        return character;
    }

    void Type(HWND hwnd, char byte)
    {
        if (StyleOf(hwnd) & ES_READONLY)
            return;
        if (m_lead) {
            const char lead = *std::exchange(m_lead, std::nullopt);
            Insert(hwnd, Typed(hwnd, std::string{lead, byte}));
            return;
        }
        if (mbcs::IsLeadByte(static_cast<unsigned char>(byte))) {
            m_lead = byte;
            return;
        }
        if (byte == static_cast<char>(VK_BACK)) {
            EraseBackward(hwnd);
            return;
        }
        Insert(hwnd, Typed(hwnd, std::string(1, byte)));
    }

    void Insert(HWND hwnd, const std::string& insert)
    {
        const State before = Current(hwnd);
        if (insert.empty() || Fit(before, insert).size() < insert.size())
            return;
        Change(hwnd, Replaced(before, insert), true);
    }

    void EraseBackward(HWND hwnd)
    {
        State state = Current(hwnd);
        if (state.start == state.end) {
            if (state.start == 0)
                return;
            const bool lineBreak = state.start >= 2 && state.text.compare(state.start - 2, 2, kLineBreak) == 0;
            state.start = lineBreak ? state.start - 2 : PreviousCharStart(state.text, state.start);
        }
        Change(hwnd, Replaced(state, ""), false);
    }

    void EraseForward(HWND hwnd)
    {
        State state = Current(hwnd);
        if (state.start == state.end) {
            if (state.end >= state.text.size())
                return;
            const bool lineBreak = state.text.compare(state.end, 2, kLineBreak) == 0;
            state.end += lineBreak ? 2 : mbcs::CharLength(state.text, state.end);
        }
        Change(hwnd, Replaced(state, ""), false);
    }

    void MoveCaret(std::size_t to)
    {
        m_start = m_end = to;
        m_typing = false;
    }

    LRESULT KeyDown(HWND hwnd, UINT key, LPARAM lParam)
    {
        const std::string text = TextOf(hwnd);
        const std::vector<Line> lines = LinesOf(text);
        const auto line = std::find_if(lines.rbegin(), lines.rend(), [&](const Line& l) { return l.start <= m_end; });
        switch (key) {
        case VK_DELETE:
            if (!(StyleOf(hwnd) & ES_READONLY))
                EraseForward(hwnd);
            return 0;
        case VK_LEFT:
            MoveCaret(m_start != m_end ? m_start : (m_start == 0 ? 0 : PreviousCharStart(text, m_start)));
            return 0;
        case VK_RIGHT:
            MoveCaret(m_start != m_end ? m_end
                                       : std::min(text.size(), m_end + mbcs::CharLength(text, m_end)));
            return 0;
        case VK_HOME:
            MoveCaret(line->start);
            return 0;
        case VK_END:
            MoveCaret(line->start + line->length);
            return 0;
        default:
            return ::DefWindowProc(hwnd, WM_KEYDOWN, key, lParam);
        }
    }

    static LRESULT DialogCode(HWND hwnd, UINT key)
    {
        LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        const DWORD style = StyleOf(hwnd);
        if (key == VK_RETURN && (style & ES_MULTILINE) && (style & ES_WANTRETURN))
            code |= DLGC_WANTALLKEYS;
        return code;
    }

    void Paint(HWND hwnd) const
    {
        ControlPaint paint(hwnd);
        const bool takesInput = IsWindowEnabled(hwnd) && !(StyleOf(hwnd) & ES_READONLY);
        paint.TakeParentsColours(takesInput ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
        const std::string text = TextOf(hwnd);
        const bool masked = (StyleOf(hwnd) & ES_PASSWORD) && m_passwordChar;
        const int height = LineHeight(hwnd);
        int y = 0;
        for (const Line& line : LinesOf(text)) {
            std::string shown = text.substr(line.start, line.length);
            if (masked) {
                std::size_t characters = 0;
                for (std::size_t at = 0; at < shown.size(); at += mbcs::CharLength(shown, at))
                    ++characters;
                shown.assign(characters, m_passwordChar);
            }
            paint.DC().TextOut(0, y, shown.c_str(), static_cast<int>(shown.size()));
            y += height;
        }
    }

    // The user clicks after the text of an edit that does not have the focus.
    void ClickInto(HWND hwnd)
    {
        if (GetFocus() == hwnd)
            return;
        SetFocus(hwnd);
        MoveCaret(static_cast<std::size_t>(GetWindowTextLength(hwnd)));
    }

    LRESULT Act(HWND hwnd, const vqui::UserAction& action)
    {
        switch (action.kind) {
        case vqui::UserActionKind::Type:
            ClickInto(hwnd);
            if (action.state == 1)
                SetSelection(hwnd, 0, -1);
            SendTypedText(hwnd, TypedFor(action));
            return TRUE;
        case vqui::UserActionKind::PressKey:
            TakeFocusAsUser(hwnd);
            SendKeyPress(hwnd, action.key);
            return TRUE;
        default:
            return FALSE;
        }
    }

    std::size_t m_start = 0;
    std::size_t m_end = 0;
    UINT m_limit = kDefaultEditLimit;
    char m_passwordChar = '*';
    std::optional<State> m_undo;
    bool m_typing = false;
    std::optional<char> m_lead;
};

} // namespace

std::unique_ptr<ClassProcedure> MakeEditProcedure() { return std::make_unique<EditProcedure>(); }

} // namespace vqwin::controls
