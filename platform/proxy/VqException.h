// Exceptions of the repository library. The module catches them by reference and
// also throws the reportable one itself, with a source name, a line and its texts.
#pragma once

#include "win/CString.h"

#include <exception>

class VqException : public std::exception {
public:
    // `text` may hold %1 and %2, filled from the inserts when the message is asked for.
    VqException(const char* fileName, int lineNumber, const char* text, const char* insert1 = nullptr,
                const char* insert2 = nullptr);
    VqException(const VqException&) = default;
    VqException& operator=(const VqException&) = default;
    ~VqException() override = default;

    // The message as a user reads it: the text with its inserts.
    virtual CString GetErrorMessage() const;
    // The message followed by where it was raised.
    virtual CString GetDebugErrorMessage() const;
    const CString& GetFileName() const { return m_fileName; }
    int GetLineNumber() const { return m_lineNumber; }
    const char* what() const noexcept override;

private:
    CString m_fileName;
    int m_lineNumber;
    CString m_text;
    CString m_insert1;
    CString m_insert2;
    mutable CString m_what;
};

class VqReportableException : public VqException {
public:
    using VqException::VqException;
};
