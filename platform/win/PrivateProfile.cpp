#include "win/PrivateProfile.h"

#include "win/Mbcs.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

// One line of the file: its text without the line break, and the break it ended with
// ("\r\n", "\n", or "" for a last line without one), so that a rewrite keeps it.
struct Line {
    std::string text;
    std::string ending;
};

struct ProfileText {
    std::vector<Line> lines;
    std::string newLine = "\n";
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view Unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

bool SameName(std::string_view a, std::string_view b) { return mbcs::CompareNoCase(a, b) == 0; }

// The name of a "[name]" header line, or nothing when the line is not a header.
std::optional<std::string_view> SectionName(std::string_view line)
{
    std::string_view text = Trim(line);
    if (text.empty() || text.front() != '[')
        return std::nullopt;
    text.remove_prefix(1);
    std::size_t end = mbcs::FindChar(text, ']');
    return Trim(end == std::string_view::npos ? text : text.substr(0, end));
}

bool IsComment(std::string_view line)
{
    std::string_view text = Trim(line);
    return !text.empty() && text.front() == ';';
}

// Splits "key=value"; nothing for comments, headers and lines without '='.
std::optional<std::pair<std::string_view, std::string_view>> Entry(std::string_view line)
{
    if (IsComment(line) || SectionName(line))
        return std::nullopt;
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return std::make_pair(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
}

ProfileText Parse(const std::string& content)
{
    ProfileText profile;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        Line line;
        if (end == std::string::npos) {
            line.text = content.substr(start);
            start = content.size();
        } else {
            line.text = content.substr(start, end - start);
            line.ending = "\n";
            start = end + 1;
        }
        if (!line.text.empty() && line.text.back() == '\r') {
            line.text.pop_back();
            line.ending.insert(0, "\r");
        }
        profile.lines.push_back(std::move(line));
    }
    if (!profile.lines.empty() && profile.lines.front().ending == "\r\n")
        profile.newLine = "\r\n";
    return profile;
}

// The file's content; nothing when it exists but cannot be read. A missing file is empty.
std::optional<std::string> ReadFile(const char* fileName, bool& exists)
{
    std::error_code error;
    exists = std::filesystem::exists(fileName, error);
    if (!exists)
        return std::string();
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return content.str();
}

// Index of the header line of the section, or npos.
std::size_t FindSection(const ProfileText& profile, std::string_view section)
{
    for (std::size_t i = 0; i < profile.lines.size(); ++i) {
        auto name = SectionName(profile.lines[i].text);
        if (name && SameName(*name, section))
            return i;
    }
    return std::string::npos;
}

// One past the last line that belongs to the section whose header is at `header`.
std::size_t SectionEnd(const ProfileText& profile, std::size_t header)
{
    std::size_t i = header + 1;
    while (i < profile.lines.size() && !SectionName(profile.lines[i].text))
        ++i;
    return i;
}

std::size_t FindKey(const ProfileText& profile, std::size_t header, std::string_view key)
{
    std::size_t end = SectionEnd(profile, header);
    for (std::size_t i = header + 1; i < end; ++i) {
        auto entry = Entry(profile.lines[i].text);
        if (entry && SameName(entry->first, key))
            return i;
    }
    return std::string::npos;
}

std::optional<std::string> ReadValue(LPCSTR section, LPCSTR key, LPCSTR fileName)
{
    if (!section || !key || !fileName)
        return std::nullopt;
    bool exists = false;
    std::optional<std::string> content = ReadFile(fileName, exists);
    if (!exists || !content)
        return std::nullopt;
    ProfileText profile = Parse(*content);
    std::size_t header = FindSection(profile, section);
    if (header == std::string::npos)
        return std::nullopt;
    std::size_t line = FindKey(profile, header, key);
    if (line == std::string::npos)
        return std::nullopt;
    return std::string(Unquote(Entry(profile.lines[line].text)->second));
}

bool BreaksLine(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

bool IsWritableName(std::string_view name)
{
    std::string_view trimmed = Trim(name);
    return !trimmed.empty() && !BreaksLine(name) && trimmed.front() != '[' && trimmed.front() != ';';
}

void InsertLine(ProfileText& profile, std::size_t at, std::string text)
{
    if (at > 0 && profile.lines[at - 1].ending.empty())
        profile.lines[at - 1].ending = profile.newLine;
    profile.lines.insert(profile.lines.begin() + static_cast<std::ptrdiff_t>(at),
                         Line{std::move(text), profile.newLine});
}

void SetValue(ProfileText& profile, std::string_view section, std::string_view key, std::string_view value)
{
    std::string entry = std::string(key) + "=" + std::string(value);
    std::size_t header = FindSection(profile, section);
    if (header == std::string::npos) {
        InsertLine(profile, profile.lines.size(), "[" + std::string(section) + "]");
        InsertLine(profile, profile.lines.size(), std::move(entry));
        return;
    }
    std::size_t line = FindKey(profile, header, key);
    if (line != std::string::npos) {
        profile.lines[line].text = std::move(entry);
        return;
    }
    std::size_t after = SectionEnd(profile, header);
    while (after > header + 1 && Trim(profile.lines[after - 1].text).empty())
        --after;
    InsertLine(profile, after, std::move(entry));
}

// Writes beside the file and renames over it, so that a failed write leaves the old file.
bool WriteFile(const char* fileName, const ProfileText& profile)
{
    std::string temporary = std::string(fileName) + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        for (const Line& line : profile.lines)
            out << line.text << line.ending;
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, fileName, error);
    if (error) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                               LPCSTR fileName)
{
    if (!buffer || size == 0)
        return 0;
    std::optional<std::string> value = ReadValue(section, key, fileName);
    std::string_view text = value ? std::string_view(*value) : std::string_view(defaultValue ? defaultValue : "");
    return static_cast<DWORD>(mbcs::CopyToBuffer(text, buffer, size));
}

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR fileName)
{
    std::optional<std::string> value = ReadValue(section, key, fileName);
    if (!value || value->empty())
        return static_cast<UINT>(defaultValue);
    std::string_view text = *value;
    bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    UINT result = 0;
    for (char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            break;
        result = result * base + digit;
    }
    return negative ? 0u - result : result;
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName)
{
    if (!section || !key || !value || !fileName)
        return FALSE;
    std::string_view keyText = Trim(key);
    if (!IsWritableName(section) || mbcs::FindChar(section, ']') != std::string_view::npos ||
        !IsWritableName(key) || keyText.find('=') != std::string_view::npos || BreaksLine(value))
        return FALSE;
    bool exists = false;
    std::optional<std::string> content = ReadFile(fileName, exists);
    if (!content)
        return FALSE;
    ProfileText profile = Parse(*content);
    SetValue(profile, Trim(section), keyText, value);
    return WriteFile(fileName, profile) ? TRUE : FALSE;
}
