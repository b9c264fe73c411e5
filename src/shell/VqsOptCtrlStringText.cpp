// The string binder's functions for texts that end up in the host's fixed-size fields.
#include "shell/VqsOptCtrlString.h"

#include "serialize/Serialize.h"
#include "shell/VqsWindowText.h"
#include "win/Mbcs.h"
#include "win/UiDriver.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr UINT kLineTooLong = 61949;
constexpr UINT kTooManyLines = 61950;
constexpr std::string_view kLineBreak = "\r\n";

// The lines of a multi-line edit's text: each runs up to the next CR; the CR LF after it
// belongs to no line.
std::vector<std::string_view> LinesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t cr = text.find('\r'); cr != std::string_view::npos; cr = text.find('\r', start)) {
        lines.push_back(text.substr(start, cr - start));
        start = cr + 1;
        if (start < text.size() && text[start] == '\n')
            ++start;
    }
    lines.push_back(text.substr(start));
    return lines;
}

void ShowLimitMessage(UINT stringId) { AfxMessageBox(stringId, MB_OK, 0); }

void TakeBackLastInput(HWND edit)
{
    ::SendMessage(edit, EM_UNDO);
    ::SendMessage(edit, EM_EMPTYUNDOBUFFER);
}

} // namespace

BOOL VqsOptCtrlString::ContainsKanji(CString text)
{
    if (text.IsEmpty())
        text = GetControlText();
    text.TrimLeft();
    const std::string& bytes = text.str();
    return std::any_of(bytes.begin(), bytes.end(), [](char c) { return is_Kanji1(static_cast<unsigned char>(c)); });
}

int VqsOptCtrlString::InsertSokEok(int length, char* dest, std::size_t destSize, CString text)
{
    if (text.IsEmpty())
        text = GetControlText();
    text.TrimLeft();
    complexInsertSokEok(dest, destSize, text, length, 32, 32);
    return 1;
}

int VqsOptCtrlString::RemoveSokEok(char* dest, std::size_t destSize, const char* text)
{
    removeSokEok(dest, destSize, text);
    return 1;
}

void VqsOptCtrlString::CheckMultiLineLimits(int maxChars, int maxLines, int maxLineLength, BOOL onChange)
{
    HWND edit = GetEdit();
    if (!edit)
        return;
    if (onChange) {
        // The line breaks do not count against the characters.
        ::SendMessage(edit, EM_LIMITTEXT, static_cast<WPARAM>(maxChars + 2 * maxLines));
        KeepInputWithinLimits(edit, maxLines, maxLineLength);
    } else {
        CutToLimits(edit, maxLines, maxLineLength);
    }
}

void VqsOptCtrlString::KeepInputWithinLimits(HWND edit, int maxLines, int maxLineLength)
{
    const CString typed = VqsGetWindowText(edit);
    if (::SendMessage(edit, EM_GETLINECOUNT) > maxLines) {
        ShowLimitMessage(kTooManyLines);
        TakeBackLastInput(edit);
    }
    for (std::string_view line : LinesOf(typed.view())) {
        if (static_cast<int>(line.size()) > maxLineLength) {
            TakeBackLastInput(edit);
            ShowLimitMessage(kLineTooLong);
            return;
        }
    }
    // An accepted input is never taken back by a later undo.
    ::SendMessage(edit, EM_EMPTYUNDOBUFFER);
}

void VqsOptCtrlString::CutToLimits(HWND edit, int maxLines, int maxLineLength)
{
    const CString text = VqsGetWindowText(edit);
    const std::vector<std::string_view> lines = LinesOf(text.view());
    const std::size_t count = std::min(lines.size(), static_cast<std::size_t>(std::max(maxLines, 0)));
    std::string cut;
    for (std::size_t index = 0; index < count; ++index) {
        const std::string_view line = lines[index];
        cut.append(line.substr(0, mbcs::CutLength(line, static_cast<std::size_t>(std::max(maxLineLength, 0)))));
        cut.append(kLineBreak);
    }
    if (!cut.empty())
        cut.resize(cut.size() - kLineBreak.size());
    VqsSetWindowText(edit, cut.c_str());
}
