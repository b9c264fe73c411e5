// The column adapters of options without an inherited default: read-only texts (element
// name, profile name, the Ispec a profile is over), the Ispec type and usage, yes/no and
// numeric options; and the platform-neutral columns built on them. A member class supplies
// the typed accessors of one option; a FALSE "applies" answer means the option does not
// exist for the row, and the cell is empty.
#pragma once

#include "options/VqsElementListCtrlPxAdapter.h"
#include "proxy/PxBSegOptions.h"
#include "shell/VqsOptCtrlFlag.h"
#include "shell/VqsOptCtrlString.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>

// A signed 64-bit decimal number; none for an empty text, a text with anything but digits
// (after an optional minus) or a number out of range.
std::optional<std::int64_t> VqsParseNumber(const char* text);
CString VqsFormatNumber(std::int64_t value);

class VqsElementListCtrlROStringPxAdapter : public VqsElementListCtrlPxAdapter {
public:
    using VqsElementListCtrlPxAdapter::VqsElementListCtrlPxAdapter;

    void GetText(PxOptionsPtr* row, char* buffer, int length) override;
    // The row's text starts with the reference text; an empty reference matches an empty text.
    void SetMatchText(const char* text) override;
    BOOL MatchesRow(PxOptionsPtr* row, const char* pending) override;

    virtual CString GetString(PxOptionsPtr* row) = 0;

protected:
    CString m_reference;
};

// The name of the row's soft link.
class VqsElementListCtrlElNamePxAdapter : public VqsElementListCtrlROStringPxAdapter {
public:
    using VqsElementListCtrlROStringPxAdapter::VqsElementListCtrlROStringPxAdapter;
    CString GetString(PxOptionsPtr* row) override;
};

// A profile whose name starts with "$" shows its name, ":" and its ordinate's name.
class VqsElementListCtrlProfNamePxAdapter : public VqsElementListCtrlElNamePxAdapter {
public:
    using VqsElementListCtrlElNamePxAdapter::VqsElementListCtrlElNamePxAdapter;
    CString GetString(PxOptionsPtr* row) override;

private:
    std::map<std::string, CString> m_shownNames;
};

// The Ispec a profile is over: its component link's name, else what the design model says.
class VqsProfileOverIspecPxAdapter : public VqsElementListCtrlROStringPxAdapter {
public:
    VqsProfileOverIspecPxAdapter();
    CString GetString(PxOptionsPtr* row) override;

private:
    static CString FindInDesign(PxOptionsPtr* row, const CString& profileName);

    std::map<std::string, CString> m_overIspecs;
};

class VqsElementListCtrlIspecTypePxAdapter : public VqsElementListCtrlPxAdapter {
public:
    VqsElementListCtrlIspecTypePxAdapter(const char* title, int width);

    BOOL HasChoices() const override { return TRUE; }
    void GetText(PxOptionsPtr* row, char* buffer, int length) override;
    void SetMatchText(const char* text) override;
    BOOL MatchesRow(PxOptionsPtr* row, const char* pending) override;

    // The type a text names, by its first character.
    static int TypeOfText(const char* text);

private:
    int m_nReference = 0;
};

class VqsElementListCtrlIspecUsagePxAdapter : public VqsElementListCtrlPxAdapter {
public:
    VqsElementListCtrlIspecUsagePxAdapter(const char* title, int width);

    BOOL HasChoices() const override { return TRUE; }
    void GetText(PxOptionsPtr* row, char* buffer, int length) override;
    void SetMatchText(const char* text) override;
    BOOL MatchesRow(PxOptionsPtr* row, const char* pending) override;

    // The usage a text names, by its third character.
    static int UsageOfText(const char* text);

private:
    int m_nReference = 0;
};

class VqsBOOLValuePxAdapter : public VqsElementListCtrlPxAdapter {
public:
    VqsBOOLValuePxAdapter(const char* title, int width, VqsOptCtrlFlag* box);

    void GetText(PxOptionsPtr* row, char* buffer, int length) override;
    void SetText(PxOptionsPtr* row, const char* text, int length) override;
    BOOL LoadEditor(PxOptionsPtr* row, const char* pending) override;
    BOOL MergeEditor(PxOptionsPtr* row, const char* pending) override;
    BOOL GetEditorText(char* buffer, int length) override;
    void RefreshEditor() override;
    void SetMatchText(const char* text) override;
    BOOL MatchesRow(PxOptionsPtr* row, const char* pending) override;

    virtual BOOL GetValue(PxOptionsPtr* row, int& value) = 0;
    virtual void SetValue(PxOptionsPtr* row, int value) = 0;

protected:
    // The row's value, from its pending text when it has one; FALSE when it does not apply.
    BOOL ValueOf(PxOptionsPtr* row, const char* pending, int& value);
    void ShowInBox(int value, BOOL enable);

    int m_nReference = 0;
    VqsOptCtrlFlag* m_pBox;
};

class VqsNumericValuePxAdapter : public VqsElementListCtrlPxAdapter {
public:
    VqsNumericValuePxAdapter(const char* title, int width, VqsOptCtrlString* edit);

    int GetFormat() const override { return 1; }
    void GetText(PxOptionsPtr* row, char* buffer, int length) override;
    void SetText(PxOptionsPtr* row, const char* text, int length) override;
    BOOL LoadEditor(PxOptionsPtr* row, const char* pending) override;
    BOOL MergeEditor(PxOptionsPtr* row, const char* pending) override;
    // Digits only, within the row's limits and 64 bits; anything else beeps and is reverted.
    BOOL GetEditorText(char* buffer, int length) override;
    void RefreshEditor() override;
    void SetMatchText(const char* text) override;
    BOOL MatchesRow(PxOptionsPtr* row, const char* pending) override;

    virtual BOOL GetValue(PxOptionsPtr* row, std::int64_t& value) = 0;
    virtual void SetValue(PxOptionsPtr* row, std::int64_t value) = 0;
    virtual BOOL HasLowerLimit(PxOptionsPtr* row, std::int64_t& limit);
    virtual BOOL HasUpperLimit(PxOptionsPtr* row, std::int64_t& limit);

protected:
    std::optional<std::int64_t> ValueOf(PxOptionsPtr* row, const char* pending, BOOL& applies);

    VqsOptCtrlString* m_pEdit;
    std::optional<std::int64_t> m_reference;
    std::optional<std::int64_t> m_lowerLimit;
    std::optional<std::int64_t> m_upperLimit;
};

// A report's "OLTP Client": only while the business segment has OLTP enabled.
class VqsReportOltpClientPxAdapter : public VqsBOOLValuePxAdapter {
public:
    VqsReportOltpClientPxAdapter(VqsOptCtrlFlag* box, const PxBSegOptionsPtr& segment);

    BOOL GetValue(PxOptionsPtr* row, int& value) override;
    void SetValue(PxOptionsPtr* row, int value) override;

private:
    PxBSegOptionsPtr m_pSegment;
};

// The row predicates of Ispec columns: not an input Ispec, and a component or the main
// event ("EVENT") / another event.
BOOL IsNonInputComponentOrMainEvent(PxOptionsPtr* row);
BOOL IsNonInputComponentOrOtherEvent(PxOptionsPtr* row);

// What the adapters do to their editors: a value shown and saved, so that only the user's
// next change counts as one.
namespace vqsadapter {
void ShowCheck(VqsOptCtrlFlag& box, BOOL checked);
void ShowText(VqsOptCtrlString& edit, const char* text);
// The placeholder of a column that does not apply (a single blank).
void ShowBlank(VqsOptCtrlString& edit);
BOOL StartsWithMark(const char* text);
// Every character is a decimal digit (an empty text too).
BOOL IsDigits(const CString& text);
} // namespace vqsadapter
