// Byte string of the host's code page with the desktop class library's interface.
#pragma once

#include "win/Types.h"

#include <cstdarg>
#include <string>
#include <string_view>
#include <type_traits>

class CString;

namespace cstring_detail {
// Arguments of the printf-style members: a CString goes in as its text.
template <class T>
decltype(auto) FormatArg(const T& value)
{
    if constexpr (std::is_same_v<T, CString>)
        return value.GetString();
    else if constexpr (std::is_same_v<T, std::string>)
        return value.c_str();
    else
        return value;
}
} // namespace cstring_detail

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(const char* text, int length) : m_text(text ? text : "", text && length > 0 ? length : 0) {}
    CString(char c, int repeat = 1) : m_text(repeat > 0 ? repeat : 0, c) {}
    explicit CString(std::string text) : m_text(std::move(text)) {}
    explicit CString(std::string_view text) : m_text(text) {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    const char* GetString() const { return m_text.c_str(); }
    operator LPCTSTR() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }
    std::string_view view() const { return m_text; }

    char GetAt(int index) const { return m_text.at(static_cast<std::size_t>(index)); }
    char operator[](int index) const { return GetAt(index); }
    void SetAt(int index, char c) { m_text.at(static_cast<std::size_t>(index)) = c; }

    CString& operator=(const char* text);
    CString& operator=(char c);
    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char c);
    void Append(const char* text, int length);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);
    friend CString operator+(const char* a, const CString& b);
    friend CString operator+(const CString& a, char b);
    friend CString operator+(char a, const CString& b);

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }
    friend bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
    friend bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
    friend bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
    friend bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }

    // Comparisons return <0, 0, >0; case folding is ASCII-only.
    int Compare(const char* other) const;
    int CompareNoCase(const char* other) const;
    int Collate(const char* other) const { return Compare(other); }
    int CollateNoCase(const char* other) const { return CompareNoCase(other); }

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString SpanIncluding(const char* chars) const;
    CString SpanExcluding(const char* chars) const;
    CString Tokenize(const char* delimiters, int& start) const;

    // Positions are byte offsets; a search never matches inside a double-byte character.
    int Find(char c, int start = 0) const;
    int Find(const char* text, int start = 0) const;
    int ReverseFind(char c) const;
    int FindOneOf(const char* chars) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& Trim();
    CString& Trim(char c);
    CString& Trim(const char* chars);
    CString& TrimLeft();
    CString& TrimLeft(char c);
    CString& TrimLeft(const char* chars);
    CString& TrimRight();
    CString& TrimRight(char c);
    CString& TrimRight(const char* chars);
    int Replace(char from, char to);
    int Replace(const char* from, const char* to);
    int Remove(char c);
    int Insert(int index, char c);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);
    void Truncate(int length);

    // Loads the text of a string id from the resource library; FALSE (and empty) when it has none.
    BOOL LoadString(UINT id);

    template <class... Args>
    void Format(const char* format, const Args&... args)
    {
        FormatChecked(format, cstring_detail::FormatArg(args)...);
    }
    template <class... Args>
    void Format(UINT formatId, const Args&... args)
    {
        CString format;
        format.LoadString(formatId);
        FormatChecked(format.GetString(), cstring_detail::FormatArg(args)...);
    }
    template <class... Args>
    void AppendFormat(const char* format, const Args&... args)
    {
        CString more;
        more.Format(format, args...);
        *this += more;
    }
    void FormatV(const char* format, va_list args);

    // Message-style inserts: %1 to %9, each optionally followed by !printf-spec!.
    template <class... Args>
    void FormatMessage(const char* format, const Args&... args)
    {
        const char* inserts[] = {FormatInsertText(args)..., nullptr};
        FormatMessageInserts(format, inserts, sizeof...(Args));
    }
    template <class... Args>
    void FormatMessage(UINT formatId, const Args&... args)
    {
        CString format;
        format.LoadString(formatId);
        FormatMessage(format.GetString(), args...);
    }
    void FormatMessageInserts(const char* format, const char* const* inserts, int count);

    // Direct buffer access: GetBuffer gives room for at least minLength bytes and a
    // terminator; ReleaseBuffer(-1) takes the length up to the first zero byte.
    char* GetBuffer(int minLength = 0);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

private:
    static const char* FormatInsertText(const CString& s) { return s.GetString(); }
    static const char* FormatInsertText(const char* s) { return s ? s : ""; }
    static const char* FormatInsertText(const std::string& s) { return s.c_str(); }

    void FormatChecked(const char* format, ...) __attribute__((format(printf, 2, 3)));

    std::string m_text;
};

inline bool operator==(const char* a, const CString& b) { return b == a; }

// Fills a string-table text: %1 (and %2) replaced by the inserts.
void AfxFormatString1(CString& out, UINT id, const char* insert1);
void AfxFormatString2(CString& out, UINT id, const char* insert1, const char* insert2);

// The source of string-table texts. The resource library installs one when it loads;
// until then every id is missing. Returns FALSE when the id has no text.
using StringLoader = BOOL (*)(UINT id, CString& out);
void AfxSetStringLoader(StringLoader loader);
BOOL AfxLoadString(UINT id, CString& out);

template <>
struct std::hash<CString> {
    std::size_t operator()(const CString& s) const noexcept { return std::hash<std::string>{}(s.str()); }
};
