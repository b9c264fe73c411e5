// The column adapters of options that may take their inherited default: yes/no, text,
// numeric and combo options with a "use default" box beside the value editor, combo options
// that may also be "none"; and the platform-neutral columns built on them (OLTP service,
// profile pack, report extract pack, Ispec page size). A cell at its default carries the
// default mark.
#pragma once

#include "options/VqsColumnAdapters.h"
#include "shell/VqsOptCtrlCombo.h"

class VqsBoolWithDefaultValuePxAdapter : public VqsElementListCtrlPxAdapter {
public:
    VqsBoolWithDefaultValuePxAdapter(const char* title, int width, VqsOptCtrlFlag* defaultBox,
                                     VqsOptCtrlFlag* valueBox);

    void GetText(PxOptionsPtr* row, char* buffer, int length) override;
    void SetText(PxOptionsPtr* row, const char* text, int length) override;
    BOOL LoadEditor(PxOptionsPtr* row, const char* pending) override;
    BOOL MergeEditor(PxOptionsPtr* row, const char* pending) override;
    BOOL GetEditorText(char* buffer, int length) override;
    void RefreshEditor() override;
    void SetMatchText(const char* text) override;
    BOOL MatchesRow(PxOptionsPtr* row, const char* pending) override;

    virtual BOOL GetDefault(PxOptionsPtr* row, int& value) = 0;
    virtual BOOL GetValue(PxOptionsPtr* row, int& value) = 0;
    virtual BOOL IsDefault(PxOptionsPtr* row, int& isDefault) = 0;
    virtual void SetValue(PxOptionsPtr* row, int value) = 0;
    virtual void MakeDefault(PxOptionsPtr* row, int makeDefault) = 0;

private:
    struct State {
        int isDefault;
        int value;
        bool operator==(const State&) const = default;
    };
    BOOL StateOf(PxOptionsPtr* row, const char* pending, State& state);
    void ShowNotApplicable();

    VqsOptCtrlFlag* m_pDefaultBox;
    VqsOptCtrlFlag* m_pValueBox;
    State m_reference{0, 0};
    int m_nDefault = 0;
};

// What the text, numeric and combo families with a default share: the (is-default, text)
// state of a row, its cell text, and the "use default" box beside the value editor.
class VqsTextWithDefaultPxAdapter : public VqsElementListCtrlPxAdapter {
public:
    VqsTextWithDefaultPxAdapter(const char* title, int width, VqsOptCtrlFlag* defaultBox);

    void GetText(PxOptionsPtr* row, char* buffer, int length) override;
    void SetText(PxOptionsPtr* row, const char* text, int length) override;
    BOOL LoadEditor(PxOptionsPtr* row, const char* pending) override;
    BOOL MergeEditor(PxOptionsPtr* row, const char* pending) override;
    void RefreshEditor() override;
    void SetMatchText(const char* text) override;
    BOOL MatchesRow(PxOptionsPtr* row, const char* pending) override;
    void PrimeDefault(VqsOptionRows* rows) override;

    virtual BOOL GetDefault(PxOptionsPtr* row, CString& value) = 0;
    virtual BOOL GetValue(PxOptionsPtr* row, CString& value) = 0;
    virtual BOOL IsDefault(PxOptionsPtr* row, int& isDefault) = 0;
    virtual void SetValue(PxOptionsPtr* row, const char* value) = 0;
    virtual void MakeDefault(PxOptionsPtr* row, int makeDefault) = 0;

    const CString& GetCachedDefault() const { return m_strDefault; }

protected:
    struct State {
        int isDefault;
        CString text;
        bool operator==(const State&) const = default;
    };
    BOOL StateOf(PxOptionsPtr* row, const char* pending, State& state);

    // The value editor, as each family has it.
    virtual void ShowValue(const CString& text) = 0;
    // Shows the cached default; FALSE when the editor cannot show it.
    virtual BOOL ShowDefaultValue() = 0;
    virtual void ShowBlankValue() = 0;
    virtual void EnableValue(BOOL enable) = 0;
    virtual void SaveValue() = 0;
    // Whether the editors can take this row at all.
    virtual BOOL MayEdit(PxOptionsPtr* row);

    VqsOptCtrlFlag* m_pDefaultBox;
    State m_reference{0, CString()};
    CString m_strDefault;
};

class VqsStringWithDefaultValuePxAdapter : public VqsTextWithDefaultPxAdapter {
public:
    VqsStringWithDefaultValuePxAdapter(const char* title, int width, VqsOptCtrlFlag* defaultBox,
                                       VqsOptCtrlString* edit);

    BOOL GetEditorText(char* buffer, int length) override;

protected:
    void ShowValue(const CString& text) override;
    BOOL ShowDefaultValue() override;
    void ShowBlankValue() override;
    void EnableValue(BOOL enable) override;
    void SaveValue() override;

    VqsOptCtrlString* m_pEdit;
};

class VqsNumericWithDefaultValuePxAdapter : public VqsStringWithDefaultValuePxAdapter {
public:
    using VqsStringWithDefaultValuePxAdapter::VqsStringWithDefaultValuePxAdapter;

    int GetFormat() const override { return 1; }
    // Digits only, within the limits and 64 bits; anything else beeps and is reverted.
    BOOL GetEditorText(char* buffer, int length) override;
    void SetMatchText(const char* text) override;
    BOOL MatchesRow(PxOptionsPtr* row, const char* pending) override;

    BOOL GetDefault(PxOptionsPtr* row, CString& value) override;
    BOOL GetValue(PxOptionsPtr* row, CString& value) override;
    void SetValue(PxOptionsPtr* row, const char* value) override;
    virtual BOOL GetDefault(PxOptionsPtr* row, std::int64_t& value) = 0;
    virtual BOOL GetValue(PxOptionsPtr* row, std::int64_t& value) = 0;
    virtual void SetValue(PxOptionsPtr* row, std::int64_t value) = 0;
    virtual BOOL HasLowerLimit(PxOptionsPtr* row, std::int64_t& limit);
    virtual BOOL HasUpperLimit(PxOptionsPtr* row, std::int64_t& limit);

private:
    std::optional<std::int64_t> m_numberReference;
};

class VqsComboWithDefaultValuePxAdapter : public VqsTextWithDefaultPxAdapter {
public:
    VqsComboWithDefaultValuePxAdapter(const char* title, int width, VqsOptCtrlFlag* defaultBox,
                                      VqsOptCtrlCombo* combo);

    BOOL GetEditorText(char* buffer, int length) override;

protected:
    void ShowValue(const CString& text) override;
    BOOL ShowDefaultValue() override;
    void ShowBlankValue() override;
    void EnableValue(BOOL enable) override;
    void SaveValue() override;
    BOOL MayEdit(PxOptionsPtr* row) override;
    // The names of the enterprise's packs become the combo's entries.
    void FillWithPacks();

    VqsOptCtrlCombo* m_pCombo;
};

class VqsComboWithDefaultAndNoneValuePxAdapter : public VqsElementListCtrlPxAdapter {
public:
    VqsComboWithDefaultAndNoneValuePxAdapter(const char* title, int width, VqsOptCtrlFlag* noneBox,
                                             VqsOptCtrlFlag* defaultBox, VqsOptCtrlCombo* combo);

    void GetText(PxOptionsPtr* row, char* buffer, int length) override;
    void SetText(PxOptionsPtr* row, const char* text, int length) override;
    BOOL LoadEditor(PxOptionsPtr* row, const char* pending) override;
    BOOL MergeEditor(PxOptionsPtr* row, const char* pending) override;
    BOOL GetEditorText(char* buffer, int length) override;
    void RefreshEditor() override;
    void SetMatchText(const char* text) override;
    BOOL MatchesRow(PxOptionsPtr* row, const char* pending) override;

    virtual BOOL IsNone(PxOptionsPtr* row, int& isNone) = 0;
    virtual BOOL GetDefault(PxOptionsPtr* row, CString& value) = 0;
    virtual BOOL GetValue(PxOptionsPtr* row, CString& value) = 0;
    virtual BOOL IsDefault(PxOptionsPtr* row, int& isDefault) = 0;
    virtual void SetValue(PxOptionsPtr* row, const char* value, int length) = 0;
    virtual void MakeDefault(PxOptionsPtr* row, int makeDefault) = 0;
    virtual void SetNone(PxOptionsPtr* row, int none) = 0;

    // Loading enables the "none" box.
    int m_bAllowNone = 0;

private:
    enum class Kind { None, Default, Value };
    struct State {
        Kind kind;
        CString text;
        bool operator==(const State&) const = default;
    };
    BOOL StateOf(PxOptionsPtr* row, const char* pending, State& state);
    void Show(const State& state);
    void ShowNotApplicable();
    void SaveAll();

    VqsOptCtrlFlag* m_pNoneBox;
    VqsOptCtrlFlag* m_pDefaultBox;
    VqsOptCtrlCombo* m_pCombo;
    State m_reference{Kind::Value, CString()};
    CString m_strDefault;
};

// An Ispec's OLTP service: only while the business segment has OLTP enabled, and not for an
// output-only Ispec.
class VqsElementListCtrlIspecServicePxAdapter : public VqsStringWithDefaultValuePxAdapter {
public:
    VqsElementListCtrlIspecServicePxAdapter(VqsOptCtrlFlag* defaultBox, VqsOptCtrlString* edit,
                                            const PxBSegOptionsPtr& segment);

    BOOL GetDefault(PxOptionsPtr* row, CString& value) override;
    BOOL GetValue(PxOptionsPtr* row, CString& value) override;
    BOOL IsDefault(PxOptionsPtr* row, int& isDefault) override;
    void SetValue(PxOptionsPtr* row, const char* value) override;
    void MakeDefault(PxOptionsPtr* row, int makeDefault) override;

private:
    PxBSegOptionsPtr m_pSegment;
};

class VqsElementListCtrlProfilePackPxAdapter : public VqsComboWithDefaultValuePxAdapter {
public:
    VqsElementListCtrlProfilePackPxAdapter(VqsOptCtrlFlag* defaultBox, VqsOptCtrlCombo* combo);

    void FillChoices() override { FillWithPacks(); }
    BOOL GetDefault(PxOptionsPtr* row, CString& value) override;
    BOOL GetValue(PxOptionsPtr* row, CString& value) override;
    BOOL IsDefault(PxOptionsPtr* row, int& isDefault) override;
    void SetValue(PxOptionsPtr* row, const char* value) override;
    void MakeDefault(PxOptionsPtr* row, int makeDefault) override;
};

class VqsReportExtractPackPxAdapter : public VqsComboWithDefaultValuePxAdapter {
public:
    VqsReportExtractPackPxAdapter(VqsOptCtrlFlag* defaultBox, VqsOptCtrlCombo* combo);

    void FillChoices() override { FillWithPacks(); }
    BOOL GetDefault(PxOptionsPtr* row, CString& value) override;
    BOOL GetValue(PxOptionsPtr* row, CString& value) override;
    BOOL IsDefault(PxOptionsPtr* row, int& isDefault) override;
    void SetValue(PxOptionsPtr* row, const char* value) override;
    void MakeDefault(PxOptionsPtr* row, int makeDefault) override;
};

// The minimum page size of a Tarsk component (or main event) that is not an input Ispec;
// 0 stands for the default.
class VqsElementListCtrlIspecPageSizePxAdapter : public VqsComboWithDefaultValuePxAdapter {
public:
    VqsElementListCtrlIspecPageSizePxAdapter(VqsOptCtrlFlag* defaultBox, VqsOptCtrlCombo* combo,
                                             const PxOptionsPtr& tarskSegment);

    int GetFormat() const override { return 1; }
    BOOL GetDefault(PxOptionsPtr* row, CString& value) override;
    BOOL GetValue(PxOptionsPtr* row, CString& value) override;
    BOOL IsDefault(PxOptionsPtr* row, int& isDefault) override;
    void SetValue(PxOptionsPtr* row, const char* value) override;
    void MakeDefault(PxOptionsPtr* row, int makeDefault) override;

private:
    PxOptionsPtr m_pTarskSegment;
};
