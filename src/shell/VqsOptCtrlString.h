// A text in an edit box, checked by a validator chosen by kind (VqsOptCtrlStringValidators.h).
// It also keeps texts within the host's fixed-size fields: shift marks around double-byte
// runs, and the line limits of multi-line edits.
#pragma once

#include "shell/VqsOptCtrl.h"
#include "win/CEdit.h"
#include "win/CString.h"

#include <cstddef>

class VqsOptCtrlString : public VqsOptCtrl {
public:
    // One rule for texts; stateless, one instance per kind serves every binder.
    class Validator {
    public:
        virtual ~Validator() = default;
        // The string id of the message to show, 0 when the text is valid. Strict: the
        // final check of OK or Apply.
        virtual UINT Validate(const CString& text, BOOL strict) const = 0;
        // Sets the edit's case style, or leaves it.
        virtual void SetStyle(CEdit& edit) const;
    };
    class ValidatorEmpty;
    class ValidatorID;
    class ValidatorRepGroup;
    class ValidatorASCIIUppercase;
    class ValidatorNotNil;
    class ValidatorJavaVariable;
    class ValidatorJavaEmbedded;
    class ValidatorJavaVariableNoCase;
    class ValidatorJavaEmbeddedNoCase;
    class ValidatorDirectorySyntax;
    class ValidatorFileSyntax;
    class ValidatorFileExists;
    class ValidatorIDorNil;
    class ValidatorIDWithFirstDigitLetter;
    class ValidatorIDAlphaNum;
    class ValidatorAlphaNumStar;

    // maxLength 0 or less: no limit.
    VqsOptCtrlString(VqsDialogCtrlConnector* connector, UINT id, int maxLength, int validatorKind);

    void Enable(BOOL enable) override;
    BOOL IsEnabled() override;
    void SetReadOnly() override;
    void Show(BOOL show) override;
    void SaveState() override;

    CString GetValue() const { return m_strValue; }
    // NULL gives an empty text. Also ends the not-available state.
    void SetValue(const char* value);
    // The edit shows the text of the string id ("<not available>" for 0) instead of a value.
    void SetNotAvailable(UINT stringId);
    void SetMaxLength(int maxLength) { m_nMaxLength = maxLength; }
    CString GetControlText() const;
    // Writes the edit's text without touching the value.
    void SetControlText(const char* text);
    void SetFocus();
    void TrimLeftValue() { m_strValue.TrimLeft(); }
    void TrimRightValue() { m_strValue.TrimRight(); }

    // Whether the text (the edit's text when it is empty) holds a double-byte character.
    BOOL ContainsKanji(CString text);
    // Writes the text (the edit's text when it is empty), without its leading blanks and
    // with shift marks around its double-byte runs, into `dest` for a host field of
    // `length` bytes; never more than destSize bytes with the terminating zero. Answers 1.
    int InsertSokEok(int length, char* dest, std::size_t destSize, CString text);
    // Writes the text without its shift marks into `dest` (destSize bytes with the
    // terminating zero). Answers 1.
    static int RemoveSokEok(char* dest, std::size_t destSize, const char* text);
    // Keeps the multi-line edit within maxLines lines of maxLineLength characters.
    // onChange (after the user typed): the input that broke a limit is taken back with a
    // message. Otherwise (load, store): the text is cut to the limits.
    void CheckMultiLineLimits(int maxChars, int maxLines, int maxLineLength, BOOL onChange);

protected:
    void ExchangeValue(CDataExchange* pDX) override;
    void ShowPlaceholder(CDataExchange* pDX) override;
    BOOL IsValueModified() override;
    BOOL ControlDiffersFromSaved() override;
    void RestoreSavedValue() override;
    void ShowValue() override;

    CString m_strValue;

private:
    BOOL IsWritable() const;
    HWND GetEdit() const { return GetOwnerItem(m_nID); }
    void KeepInputWithinLimits(HWND edit, int maxLines, int maxLineLength);
    void CutToLimits(HWND edit, int maxLines, int maxLineLength);

    const Validator* m_pValidator;
    CEdit m_edit;
    WORD m_nID;
    int m_nMaxLength;
    CString m_strSaved;
    CString m_strPlaceholder;
    // The value as the last load showed it.
    CString m_strShown;
};
