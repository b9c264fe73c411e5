#include "proxy/VqException.h"

VqException::VqException(const char* fileName, int lineNumber, const char* text, const char* insert1,
                         const char* insert2)
    : m_fileName(fileName), m_lineNumber(lineNumber), m_text(text), m_insert1(insert1), m_insert2(insert2)
{
}

CString VqException::GetErrorMessage() const
{
    CString message;
    message.FormatMessage(m_text.GetString(), m_insert1, m_insert2);
    return message;
}

CString VqException::GetDebugErrorMessage() const
{
    CString message;
    message.Format("%s (%s, line %d)", GetErrorMessage(), m_fileName, m_lineNumber);
    return message;
}

const char* VqException::what() const noexcept
{
    try {
        m_what = GetErrorMessage();
    } catch (...) {
        return "repository error";
    }
    return m_what.GetString();
}
