// The rules of the string binder, by kind (the number given to its constructor):
//   0 ValidatorEmpty, 1 ValidatorID, 2 ValidatorRepGroup, 3 ValidatorASCIIUppercase,
//   4 ValidatorNotNil, 5 ValidatorJavaVariable, 6 ValidatorJavaEmbedded, 7 ValidatorJavaVariableNoCase,
//   8 ValidatorJavaEmbeddedNoCase, 9 ValidatorDirectorySyntax, 10 ValidatorFileSyntax, 11 ValidatorFileExists,
//   12 ValidatorIDorNil, 13 ValidatorIDWithFirstDigitLetter, 14 ValidatorIDAlphaNum, 15 ValidatorAlphaNumStar.
// Any other kind gives ValidatorEmpty. Rules marked strict check nothing outside strict
// mode, so that a half-typed text is not refused; the others always check.
#pragma once

#include "shell/VqsOptCtrlString.h"

// Always valid.
class VqsOptCtrlString::ValidatorEmpty : public VqsOptCtrlString::Validator {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
};

// The ID rule; upper case.
class VqsOptCtrlString::ValidatorID : public VqsOptCtrlString::Validator {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
    void SetStyle(CEdit& edit) const override;
};

// No blank, "!", ";", ":" or byte above 0x7F; upper case.
class VqsOptCtrlString::ValidatorRepGroup : public VqsOptCtrlString::Validator {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
    void SetStyle(CEdit& edit) const override;
};

// Strict: no byte above 0x7F; upper case.
class VqsOptCtrlString::ValidatorASCIIUppercase : public VqsOptCtrlString::Validator {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
    void SetStyle(CEdit& edit) const override;
};

// Strict: not empty.
class VqsOptCtrlString::ValidatorNotNil : public VqsOptCtrlString::Validator {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
};

// Strict: a Java identifier; lower case.
class VqsOptCtrlString::ValidatorJavaVariable : public VqsOptCtrlString::Validator {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
    void SetStyle(CEdit& edit) const override;
};

// Strict: Java identifiers joined by dots; lower case.
class VqsOptCtrlString::ValidatorJavaEmbedded : public VqsOptCtrlString::Validator {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
    void SetStyle(CEdit& edit) const override;
};

// As ValidatorJavaVariable, without a case style.
class VqsOptCtrlString::ValidatorJavaVariableNoCase : public VqsOptCtrlString::ValidatorJavaVariable {
public:
    void SetStyle(CEdit& edit) const override;
};

// As ValidatorJavaEmbedded, without a case style.
class VqsOptCtrlString::ValidatorJavaEmbeddedNoCase : public VqsOptCtrlString::ValidatorJavaEmbedded {
public:
    void SetStyle(CEdit& edit) const override;
};

// Strict: not empty, and a name the file system takes (it need not exist).
class VqsOptCtrlString::ValidatorDirectorySyntax : public VqsOptCtrlString::Validator {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
};

// Strict: empty, or a name with a "." that the file system takes.
class VqsOptCtrlString::ValidatorFileSyntax : public VqsOptCtrlString::Validator {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
};

// Strict: the name, with a ".", of a file that exists.
class VqsOptCtrlString::ValidatorFileExists : public VqsOptCtrlString::Validator {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
};

// Strict: not empty, and the ID rule; upper case.
class VqsOptCtrlString::ValidatorIDorNil : public VqsOptCtrlString::Validator {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
    void SetStyle(CEdit& edit) const override;
};

// Letters and digits only.
class VqsOptCtrlString::ValidatorIDWithFirstDigitLetter : public VqsOptCtrlString::Validator {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
};

// Letters and digits only, leading blanks included; upper case.
class VqsOptCtrlString::ValidatorIDAlphaNum : public VqsOptCtrlString::Validator {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
    void SetStyle(CEdit& edit) const override;
};

// A lone "*", or letters and digits only.
class VqsOptCtrlString::ValidatorAlphaNumStar : public VqsOptCtrlString::Validator {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
};

// The validator of a kind; built on the first call, never to be deleted.
const VqsOptCtrlString::Validator* MakeStringValidators(int kind);

// Strict: the trimmed text is a Java identifier (case ignored) that is not a keyword.
UINT CheckJavaIdentifier(const CString& text, BOOL strict);
