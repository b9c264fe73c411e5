#include "go/VqsGoSpec.h"

#include <cstring>

namespace {

constexpr const char* kWhiteSpace = " \t\r\n\v\f";

bool IsWhiteSpace(char c) { return c != '\0' && std::strchr(kWhiteSpace, c) != nullptr; }

bool IsLetterOrDigit(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'); }

// Cuts the next argument off the front of `rest`: a text in double quotes (to the end when
// the closing quote is missing) or a run up to the next white space.
CString CutToken(CString& rest)
{
    CString token;
    if (rest[0] == '"') {
        const int close = rest.Find('"', 1);
        if (close < 0) {
            token = rest.Mid(1);
            rest.Empty();
        } else {
            token = rest.Mid(1, close - 1);
            rest = rest.Mid(close + 1);
        }
    } else {
        int end = 0;
        while (end < rest.GetLength() && !IsWhiteSpace(rest[end]))
            ++end;
        token = rest.Left(end);
        rest = rest.Mid(end);
    }
    rest.TrimLeft(kWhiteSpace);
    return token;
}

} // namespace

BOOL VqsGoSpec::MatchGoKeyword(const CString& text, const char* keyword, CStringList& arguments)
{
    CString trimmed = text;
    trimmed.Trim(kWhiteSpace);
    if (trimmed.IsEmpty())
        return FALSE;
    CString upper = trimmed;
    upper.MakeUpper();
    const int length = static_cast<int>(std::strlen(keyword));
    if (upper.Left(length) != keyword)
        return FALSE;
    if (trimmed.GetLength() > length && IsLetterOrDigit(trimmed[length]))
        return FALSE;
    CString rest = trimmed.Mid(length);
    rest.TrimLeft(kWhiteSpace);
    arguments.RemoveAll();
    while (!rest.IsEmpty()) {
        CString token = CutToken(rest);
        if (!token.IsEmpty() || !rest.IsEmpty())
            arguments.AddTail(token);
    }
    return TRUE;
}

void VqsParseReturn::SetError(const char* message)
{
    m_strMessage = message ? message : "";
    m_spec = VqsAPtr<VqsGoSpec>();
    m_pTarget = nullptr;
}

void VqsParseReturn::SetTarget(const VqsAPtr<VqsGoSpec>& spec, VqsModel* target)
{
    m_strMessage.Empty();
    m_spec = spec;
    m_pTarget = target;
}

BOOL VqsParseReturn::GetMessage(CString& message) const
{
    if (m_strMessage.IsEmpty())
        return FALSE;
    message = m_strMessage;
    return TRUE;
}

BOOL VqsParseReturn::OpenTarget()
{
    if (!m_pTarget || !m_spec)
        return FALSE;
    return m_spec->Open(m_pTarget) ? TRUE : FALSE;
}
