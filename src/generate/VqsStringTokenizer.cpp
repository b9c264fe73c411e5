#include "generate/VqsStringTokenizer.h"

#include "win/Mbcs.h"

#include <algorithm>
#include <string>

VqsStringTokenizer::VqsStringTokenizer(const CString& text) : m_strRemaining(text) {}

BOOL VqsStringTokenizer::HasMoreTokens() const { return !m_strRemaining.IsEmpty(); }

CString VqsStringTokenizer::NextToken()
{
    const std::string& text = m_strRemaining.str();
    std::size_t delimiter = std::string::npos;
    for (char c : m_strDelimiters.str())
        delimiter = std::min(delimiter, mbcs::FindChar(text, c));
    if (delimiter == std::string::npos) {
        CString token = m_strRemaining;
        m_strRemaining.Empty();
        return token;
    }
    CString token(text.substr(0, delimiter).c_str());
    m_strRemaining = CString(text.substr(delimiter + 1).c_str());
    return token;
}
