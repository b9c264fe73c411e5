// Splits a text into words separated by single blanks: two blanks in a row give an empty
// word between them. The automation object splits the element and report names of a
// generation request with it.
#pragma once

#include "win/CString.h"
#include "win/Types.h"

class VqsStringTokenizer {
public:
    explicit VqsStringTokenizer(const CString& text);

    BOOL HasMoreTokens() const;
    // The text up to the next blank; the rest of the text when there is none.
    CString NextToken();

private:
    CString m_strRemaining;
    CString m_strDelimiters = " ";
};
