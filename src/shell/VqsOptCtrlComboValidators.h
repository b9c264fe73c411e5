// The rules of the combo binder, by kind (the number given to its constructor):
//   0 ValidatorEmpty, 1 ValidatorID, 2 ValidatorIDorNil, 3 ValidatorReservedWord,
//   4 ValidatorReservedWordorNil, 5 ValidatorIDWithHypen, 6 ValidatorIDWithFirstDigitLetter.
// Any other kind gives ValidatorEmpty.
#pragma once

#include "shell/VqsOptCtrlCombo.h"

// Always valid.
class VqsOptCtrlCombo::ValidatorEmpty : public VqsOptCtrlCombo::Validator {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
};

// The ID rule; an empty text is valid.
class VqsOptCtrlCombo::ValidatorIDorNil : public VqsOptCtrlCombo::Validator {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
};

// The ID rule; in strict mode the text may not be empty.
class VqsOptCtrlCombo::ValidatorID : public VqsOptCtrlCombo::ValidatorIDorNil {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
};

// As ValidatorID; in strict mode no leading blank, and not "default" (a reserved pack name).
class VqsOptCtrlCombo::ValidatorReservedWord : public VqsOptCtrlCombo::ValidatorID {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
};

// As ValidatorIDorNil, with the strict tests of ValidatorReservedWord.
class VqsOptCtrlCombo::ValidatorReservedWordorNil : public VqsOptCtrlCombo::ValidatorIDorNil {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
};

// Letters, digits and "-", not starting with a digit; an empty text is valid.
class VqsOptCtrlCombo::ValidatorIDWithHypen : public VqsOptCtrlCombo::ValidatorID {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
};

// Letters and digits only; an empty text is valid.
class VqsOptCtrlCombo::ValidatorIDWithFirstDigitLetter : public VqsOptCtrlCombo::ValidatorID {
public:
    UINT Validate(const CString& text, BOOL strict) const override;
};

// The validator of a kind; built on the first call, never to be deleted.
const VqsOptCtrlCombo::Validator* MakeComboValidators(int kind);
