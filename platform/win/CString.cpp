#include "win/CString.h"

#include "win/Mbcs.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

std::atomic<StringLoader> g_stringLoader{nullptr};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

int ToInt(std::size_t pos) { return pos == std::string::npos ? -1 : static_cast<int>(pos); }

std::size_t Clamp(int value, std::size_t max)
{
    if (value < 0)
        return 0;
    return std::min(static_cast<std::size_t>(value), max);
}

template <class Keep>
std::size_t LeadingCount(const std::string& text, Keep keep)
{
    std::size_t i = 0;
    while (i < text.size() && mbcs::CharLength(text, i) == 1 && keep(text[i]))
        ++i;
    return i;
}

template <class Keep>
std::size_t TrailingStart(const std::string& text, Keep keep)
{
    // Start of the run of accepted single-byte characters that ends the text.
    std::size_t start = text.size();
    bool inRun = false;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = mbcs::CharLength(text, i);
        bool kept = n == 1 && keep(text[i]);
        if (kept && !inRun)
            start = i;
        inRun = kept;
        i += n;
    }
    return inRun ? start : text.size();
}

} // namespace

CString& CString::operator=(const char* text)
{
    m_text = text ? text : "";
    return *this;
}

CString& CString::operator=(char c)
{
    m_text.assign(1, c);
    return *this;
}

CString& CString::operator+=(const CString& other)
{
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(const char* text)
{
    if (text)
        m_text += text;
    return *this;
}

CString& CString::operator+=(char c)
{
    m_text += c;
    return *this;
}

void CString::Append(const char* text, int length)
{
    if (text && length > 0)
        m_text.append(text, static_cast<std::size_t>(length));
}

CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
CString operator+(const CString& a, const char* b) { return CString(a.m_text + (b ? b : "")); }
CString operator+(const char* a, const CString& b) { return CString((a ? a : "") + b.m_text); }
CString operator+(const CString& a, char b) { return CString(a.m_text + b); }
CString operator+(char a, const CString& b) { return CString(a + b.m_text); }

int CString::Compare(const char* other) const { return mbcs::Compare(m_text, other ? other : ""); }
int CString::CompareNoCase(const char* other) const { return mbcs::CompareNoCase(m_text, other ? other : ""); }

CString CString::Left(int count) const { return CString(m_text.substr(0, Clamp(count, m_text.size()))); }

CString CString::Right(int count) const
{
    std::size_t n = Clamp(count, m_text.size());
    return CString(m_text.substr(m_text.size() - n));
}

CString CString::Mid(int first) const { return CString(m_text.substr(Clamp(first, m_text.size()))); }

CString CString::Mid(int first, int count) const
{
    std::size_t start = Clamp(first, m_text.size());
    return CString(m_text.substr(start, Clamp(count, m_text.size() - start)));
}

CString CString::SpanIncluding(const char* chars) const
{
    std::size_t n = LeadingCount(m_text, [chars](char c) { return std::strchr(chars, c) != nullptr && c != 0; });
    return Left(static_cast<int>(n));
}

CString CString::SpanExcluding(const char* chars) const
{
    std::size_t i = 0;
    while (i < m_text.size()) {
        std::size_t n = mbcs::CharLength(m_text, i);
        if (n == 1 && std::strchr(chars, m_text[i]) != nullptr)
            break;
        i += n;
    }
    return Left(static_cast<int>(i));
}

CString CString::Tokenize(const char* delimiters, int& start) const
{
    if (start < 0 || static_cast<std::size_t>(start) >= m_text.size()) {
        start = -1;
        return CString();
    }
    auto isDelimiter = [&](std::size_t i) {
        return mbcs::CharLength(m_text, i) == 1 && std::strchr(delimiters, m_text[i]) != nullptr;
    };
    std::size_t i = static_cast<std::size_t>(start);
    while (i < m_text.size() && isDelimiter(i))
        ++i;
    if (i >= m_text.size()) {
        start = -1;
        return CString();
    }
    std::size_t end = i;
    while (end < m_text.size() && !isDelimiter(end))
        end += mbcs::CharLength(m_text, end);
    start = static_cast<int>(std::min(end + 1, m_text.size() + 1));
    return CString(m_text.substr(i, end - i));
}

int CString::Find(char c, int start) const { return ToInt(mbcs::FindChar(m_text, c, Clamp(start, m_text.size()))); }

int CString::Find(const char* text, int start) const
{
    if (start > GetLength())
        return -1;
    return ToInt(mbcs::FindText(m_text, text ? text : "", Clamp(start, m_text.size())));
}

int CString::ReverseFind(char c) const { return ToInt(mbcs::ReverseFindChar(m_text, c)); }

int CString::FindOneOf(const char* chars) const
{
    for (std::size_t i = 0; i < m_text.size();) {
        std::size_t n = mbcs::CharLength(m_text, i);
        if (n == 1 && std::strchr(chars, m_text[i]) != nullptr && m_text[i] != 0)
            return static_cast<int>(i);
        i += n;
    }
    return -1;
}

CString& CString::MakeUpper()
{
    mbcs::MakeUpper(m_text.data(), m_text.size());
    return *this;
}

CString& CString::MakeLower()
{
    mbcs::MakeLower(m_text.data(), m_text.size());
    return *this;
}

CString& CString::MakeReverse()
{
    std::string reversed;
    reversed.reserve(m_text.size());
    for (std::size_t i = 0; i < m_text.size();) {
        std::size_t n = mbcs::CharLength(m_text, i);
        reversed.insert(0, m_text, i, n);
        i += n;
    }
    m_text = std::move(reversed);
    return *this;
}

CString& CString::TrimLeft(const char* chars)
{
    m_text.erase(0, LeadingCount(m_text, [chars](char c) { return c != 0 && std::strchr(chars, c) != nullptr; }));
    return *this;
}

CString& CString::TrimRight(const char* chars)
{
    m_text.erase(TrailingStart(m_text, [chars](char c) { return c != 0 && std::strchr(chars, c) != nullptr; }));
    return *this;
}

CString& CString::TrimLeft()
{
    m_text.erase(0, LeadingCount(m_text, IsBlank));
    return *this;
}

CString& CString::TrimRight()
{
    m_text.erase(TrailingStart(m_text, IsBlank));
    return *this;
}

CString& CString::TrimLeft(char c)
{
    const char chars[2] = {c, 0};
    return TrimLeft(chars);
}

CString& CString::TrimRight(char c)
{
    const char chars[2] = {c, 0};
    return TrimRight(chars);
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char c) { return TrimRight(c).TrimLeft(c); }
CString& CString::Trim(const char* chars) { return TrimRight(chars).TrimLeft(chars); }

int CString::Replace(char from, char to)
{
    int count = 0;
    for (std::size_t i = 0; i < m_text.size();) {
        std::size_t n = mbcs::CharLength(m_text, i);
        if (n == 1 && m_text[i] == from) {
            m_text[i] = to;
            ++count;
        }
        i += n;
    }
    return count;
}

int CString::Replace(const char* from, const char* to)
{
    std::string_view what = from ? from : "";
    if (what.empty())
        return 0;
    std::string replacement = to ? to : "";
    std::string result;
    int count = 0;
    std::size_t i = 0;
    while (i < m_text.size()) {
        if (std::string_view(m_text).substr(i, what.size()) == what) {
            result += replacement;
            i += what.size();
            ++count;
        } else {
            std::size_t n = mbcs::CharLength(m_text, i);
            result.append(m_text, i, n);
            i += n;
        }
    }
    m_text = std::move(result);
    return count;
}

int CString::Remove(char c)
{
    std::string result;
    int count = 0;
    for (std::size_t i = 0; i < m_text.size();) {
        std::size_t n = mbcs::CharLength(m_text, i);
        if (n == 1 && m_text[i] == c)
            ++count;
        else
            result.append(m_text, i, n);
        i += n;
    }
    m_text = std::move(result);
    return count;
}

int CString::Insert(int index, char c)
{
    m_text.insert(Clamp(index, m_text.size()), 1, c);
    return GetLength();
}

int CString::Insert(int index, const char* text)
{
    m_text.insert(Clamp(index, m_text.size()), text ? text : "");
    return GetLength();
}

int CString::Delete(int index, int count)
{
    std::size_t start = Clamp(index, m_text.size());
    m_text.erase(start, Clamp(count, m_text.size() - start));
    return GetLength();
}

void CString::Truncate(int length) { m_text.resize(Clamp(length, m_text.size())); }

BOOL CString::LoadString(UINT id)
{
    m_text.clear();
    return AfxLoadString(id, *this);
}

void CString::FormatV(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed < 0) {
        m_text.clear();
        return;
    }
    std::vector<char> buffer(static_cast<std::size_t>(needed) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    m_text.assign(buffer.data(), static_cast<std::size_t>(needed));
}

void CString::FormatChecked(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format ? format : "", args);
    va_end(args);
}

void CString::FormatMessageInserts(const char* format, const char* const* inserts, int count)
{
    std::string result;
    std::string_view f = format ? format : "";
    for (std::size_t i = 0; i < f.size();) {
        std::size_t n = mbcs::CharLength(f, i);
        if (n == 1 && f[i] == '%' && i + 1 < f.size() && f[i + 1] >= '1' && f[i + 1] <= '9') {
            int index = f[i + 1] - '1';
            i += 2;
            std::string spec = "s";
            if (i < f.size() && f[i] == '!') {
                std::size_t close = f.find('!', i + 1);
                if (close != std::string_view::npos) {
                    spec = std::string(f.substr(i + 1, close - i - 1));
                    i = close + 1;
                }
            }
            if (index < count && inserts[index]) {
                if (spec == "s") {
                    result += inserts[index];
                } else {
                    // Numeric specs take the insert's text as the number.
                    CString piece;
                    std::string fmt = "%" + spec;
                    long long value = std::strtoll(inserts[index], nullptr, 0);
                    piece.FormatChecked(fmt.c_str(), value);
                    result += piece.m_text;
                }
            }
            continue;
        }
        if (n == 1 && f[i] == '%' && i + 1 < f.size() && f[i + 1] == '%') {
            result += '%';
            i += 2;
            continue;
        }
        result.append(f, i, n);
        i += n;
    }
    m_text = std::move(result);
}

char* CString::GetBuffer(int minLength)
{
    std::size_t want = minLength > 0 ? static_cast<std::size_t>(minLength) : 0;
    if (m_text.size() < want)
        m_text.resize(want, '\0');
    return m_text.data();
}

char* CString::GetBufferSetLength(int length)
{
    m_text.resize(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        m_text.resize(std::strlen(m_text.c_str()));
    else
        m_text.resize(std::min(static_cast<std::size_t>(newLength), m_text.size()));
}

void AfxFormatString1(CString& out, UINT id, const char* insert1)
{
    CString format;
    format.LoadString(id);
    out.FormatMessage(format.GetString(), insert1);
}

void AfxFormatString2(CString& out, UINT id, const char* insert1, const char* insert2)
{
    CString format;
    format.LoadString(id);
    out.FormatMessage(format.GetString(), insert1, insert2);
}

void AfxSetStringLoader(StringLoader loader) { g_stringLoader.store(loader); }

BOOL AfxLoadString(UINT id, CString& out)
{
    StringLoader loader = g_stringLoader.load();
    out.Empty();
    return loader ? loader(id, out) : FALSE;
}
