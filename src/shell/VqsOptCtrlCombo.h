// A text in a combo box: picked from its list or typed into its edit, checked by a validator
// chosen by kind (VqsOptCtrlComboValidators.h).
#pragma once

#include "shell/VqsOptCtrl.h"
#include "win/CComboBox.h"
#include "win/CString.h"
#include "win/Collections.h"

class VqsOptCtrlCombo : public VqsOptCtrl {
public:
    // One rule for texts; stateless, one instance per kind serves every binder.
    class Validator {
    public:
        virtual ~Validator() = default;
        // The string id of the message to show, 0 when the text is valid. Strict: the
        // final check of OK or Apply.
        virtual UINT Validate(const CString& text, BOOL strict) const = 0;
    };
    class ValidatorEmpty;
    class ValidatorIDorNil;
    class ValidatorID;
    class ValidatorReservedWord;
    class ValidatorReservedWordorNil;
    class ValidatorIDWithHypen;
    class ValidatorIDWithFirstDigitLetter;

    VqsOptCtrlCombo(VqsDialogCtrlConnector* connector, UINT id, int validatorKind);

    void Enable(BOOL enable) override;
    BOOL IsEnabled() override;
    void SetReadOnly() override;
    void Show(BOOL show) override;
    void SaveState() override;
    // Keeps track of whether the text shown was picked from the list or typed.
    void OnCommand(UINT id, int code) override;

    CString GetValue() const { return m_strValue; }
    // NULL gives an empty text. Also ends the not-available state.
    void SetValue(const char* value);
    // The combo shows the text of the string id ("<not available>" for 0) instead of a value.
    void SetNotAvailable(UINT stringId);
    // The same, with the placeholder put at the top of the list and selected at once.
    void ShowNotAvailable(UINT stringId);
    void SetTextLimit(int limit);
    int GetCurSel() const;
    void SetCurSel(int index);
    // The index of the item equal to the text (without regard to case), or -1.
    int FindExact(const char* text) const;
    // Selects the item equal to the text, or shows the text when there is none.
    void SelectText(const char* text);
    // The list becomes these texts, in order (the placeholder stays on top while shown).
    void SetItems(const CStringList& items);
    void SetItems(const CStringArray& items);
    // Appends every item's text.
    void GetItems(CStringList& items) const;
    // The picked item's text, or what the combo shows when it was typed.
    CString GetSelectedText() const;

protected:
    void ExchangeValue(CDataExchange* pDX) override;
    void ShowPlaceholder(CDataExchange* pDX) override;
    BOOL IsValueModified() override;
    BOOL ControlDiffersFromSaved() override;
    void RestoreSavedValue() override;
    void ShowValue() override;

private:
    HWND GetCombo() const { return GetOwnerItem(m_nID); }
    // Puts the placeholder at the top of the list; the flag tells whether it landed there.
    void InsertPlaceholder(HWND combo);
    void ShowText(HWND combo, const char* text);

    const Validator* m_pValidator;
    WORD m_nID;
    CComboBox m_combo;
    int m_nTextLimit = -1;
    CString m_strValue;
    CString m_strSaved;
    CString m_strPlaceholder;
    // The value as the last load showed it.
    CString m_strShown;
    BOOL m_bPlaceholderInList = FALSE;
    BOOL m_bChosenFromList = FALSE;
};
