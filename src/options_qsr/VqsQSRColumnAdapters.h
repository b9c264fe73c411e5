// The columns of the QSR bulk grids (and two that the NT and Unix grids share: an Ispec's
// pack and a profile's sizing). Each column reaches its option through the row's record of
// its class; a row of another class, or one the column's rule leaves out, shows an empty
// cell and is never written.
#pragma once

#include "options/VqsColumnAdaptersWithDefault.h"
#include "options/VqsOptionTable.h"
#include "options_tarsk/VqsSizingPxAdapter.h"
#include "proxy/PxQSRCompOptions.h"
#include "proxy/PxQSRReportOptions.h"

#include <map>
#include <string>

// A yes/no option with a default, of the rows whose record `Applies` gives.
template <class Record>
class VqsFlagOptionPxAdapter : public VqsBoolWithDefaultValuePxAdapter {
public:
    using Option = VqsOption<Record, int, int>;

    VqsFlagOptionPxAdapter(const char* title, int width, VqsOptCtrlFlag* defaultBox, VqsOptCtrlFlag* valueBox,
                           const Option& option)
        : VqsBoolWithDefaultValuePxAdapter(title, width, defaultBox, valueBox), m_option(option)
    {
    }

    BOOL GetDefault(PxOptionsPtr* row, int& value) override { return Read(row, m_option.getDefault, value); }
    BOOL GetValue(PxOptionsPtr* row, int& value) override { return Read(row, m_option.get, value); }
    BOOL IsDefault(PxOptionsPtr* row, int& isDefault) override { return Read(row, m_option.isDefault, isDefault); }
    void SetValue(PxOptionsPtr* row, int value) override
    {
        if (Record* record = Applies(row))
            (record->*m_option.set)(value);
    }
    void MakeDefault(PxOptionsPtr* row, int makeDefault) override
    {
        if (Record* record = Applies(row); record && makeDefault)
            (record->*m_option.makeDefault)();
    }

protected:
    // The row's record when the column applies to the row; null otherwise.
    virtual Record* Applies(PxOptionsPtr* row) { return dynamic_cast<Record*>(VqsRowRecord(row)); }

private:
    template <class Getter>
    BOOL Read(PxOptionsPtr* row, Getter getter, int& value)
    {
        const Record* record = Applies(row);
        if (record)
            value = (record->*getter)();
        return record != nullptr;
    }

    Option m_option;
};

// "Expected": a component's expected number, an event's monthly volume. A written 0 is the
// record's usual number: 100 for a component, 1000 for an event.
class VqsQSRIspecExpectedPxAdapter : public VqsNumericValuePxAdapter {
public:
    explicit VqsQSRIspecExpectedPxAdapter(VqsOptCtrlString* edit);

    BOOL GetValue(PxOptionsPtr* row, std::int64_t& value) override;
    void SetValue(PxOptionsPtr* row, std::int64_t value) override;
    BOOL HasLowerLimit(PxOptionsPtr* row, std::int64_t& limit) override;
    BOOL HasUpperLimit(PxOptionsPtr* row, std::int64_t& limit) override;
};

// "Pack": the pack of a component (or the main event) that is not an input Ispec.
class VqsElementListCtrlIspecPackPxAdapter : public VqsComboWithDefaultValuePxAdapter {
public:
    VqsElementListCtrlIspecPackPxAdapter(VqsOptCtrlFlag* defaultBox, VqsOptCtrlCombo* combo);

    void FillChoices() override { FillWithPacks(); }
    BOOL GetDefault(PxOptionsPtr* row, CString& value) override;
    BOOL GetValue(PxOptionsPtr* row, CString& value) override;
    BOOL IsDefault(PxOptionsPtr* row, int& isDefault) override;
    void SetValue(PxOptionsPtr* row, const char* value) override;
    void MakeDefault(PxOptionsPtr* row, int makeDefault) override;

private:
    static PxCompOptions* ComponentOf(PxOptionsPtr* row);
};

// The "VSS" and "XE" columns: components, and of Ispec links only output and both-way ones.
class VqsQSRComponentFlagPxAdapter : public VqsFlagOptionPxAdapter<PxQSRCompOptions> {
public:
    using VqsFlagOptionPxAdapter::VqsFlagOptionPxAdapter;

protected:
    PxQSRCompOptions* Applies(PxOptionsPtr* row) override;
};

class VqsElementListCtrlQSRVSSPxAdapter : public VqsQSRComponentFlagPxAdapter {
public:
    VqsElementListCtrlQSRVSSPxAdapter(VqsOptCtrlFlag* defaultBox, VqsOptCtrlFlag* valueBox);
};

class VqsElementListCtrlQSRXEPxAdapter : public VqsQSRComponentFlagPxAdapter {
public:
    VqsElementListCtrlQSRXEPxAdapter(VqsOptCtrlFlag* defaultBox, VqsOptCtrlFlag* valueBox);
};

// A column edited with one combo and no default box; the subclass reads and writes the text.
class VqsComboPxAdapter : public VqsElementListCtrlPxAdapter {
public:
    VqsComboPxAdapter(const char* title, int width, VqsOptCtrlCombo* combo);

    BOOL HasChoices() const override { return TRUE; }
    const CStringArray* GetChoices() const override { return &m_choices; }
    void GetText(PxOptionsPtr* row, char* buffer, int length) override;
    void SetText(PxOptionsPtr* row, const char* text, int length) override;
    BOOL LoadEditor(PxOptionsPtr* row, const char* pending) override;
    // Rows with another text leave the combo blank; a row without a value also disables it.
    BOOL MergeEditor(PxOptionsPtr* row, const char* pending) override;
    // The item chosen; nothing while the combo shows its blank placeholder.
    BOOL GetEditorText(char* buffer, int length) override;
    void RefreshEditor() override;
    void SetMatchText(const char* text) override;
    BOOL MatchesRow(PxOptionsPtr* row, const char* pending) override;

    // The row's text; FALSE when the row has none.
    virtual BOOL GetValue(PxOptionsPtr* row, CString& value) = 0;
    virtual void SetValue(PxOptionsPtr* row, const char* value) = 0;
    // What a text with the default mark writes.
    virtual void RestoreDefault(PxOptionsPtr* row) = 0;

protected:
    BOOL TextOf(PxOptionsPtr* row, const char* pending, CString& text);
    void ShowBlank(BOOL enable);

    VqsOptCtrlCombo* m_pCombo;
    CString m_strCommon;
    CString m_strMatch;
};

// "Subsystem": an Ispec's subsystem number shown by the subsystem's name. The lettered
// subsystems are shown but not offered; LSS is neither.
class VqsElementListCtrlQSRSubsysPxAdapter : public VqsComboPxAdapter {
public:
    // The combo's window must exist.
    VqsElementListCtrlQSRSubsysPxAdapter(const PxBSegOptionsPtr& segment, VqsOptCtrlCombo* combo);

    BOOL GetValue(PxOptionsPtr* row, CString& value) override;
    void SetValue(PxOptionsPtr* row, const char* value) override;
    void RestoreDefault(PxOptionsPtr* row) override;

private:
    static PxQSRIspecOptions* IspecOf(PxOptionsPtr* row);

    std::map<std::string, CString> m_namesByNumber;
};

class VqsQSRReportSortMemSizePxAdapter : public VqsNumericValuePxAdapter {
public:
    explicit VqsQSRReportSortMemSizePxAdapter(VqsOptCtrlString* edit);

    BOOL GetValue(PxOptionsPtr* row, std::int64_t& value) override;
    void SetValue(PxOptionsPtr* row, std::int64_t value) override;
    BOOL HasLowerLimit(PxOptionsPtr* row, std::int64_t& limit) override;
    BOOL HasUpperLimit(PxOptionsPtr* row, std::int64_t& limit) override;
};

class VqsQSRReportSortDiskSizePxAdapter : public VqsNumericWithDefaultValuePxAdapter {
public:
    VqsQSRReportSortDiskSizePxAdapter(VqsOptCtrlString* edit, VqsOptCtrlFlag* defaultBox);

    using VqsNumericWithDefaultValuePxAdapter::GetDefault;
    using VqsNumericWithDefaultValuePxAdapter::GetValue;
    using VqsNumericWithDefaultValuePxAdapter::SetValue;
    BOOL GetDefault(PxOptionsPtr* row, std::int64_t& value) override;
    BOOL GetValue(PxOptionsPtr* row, std::int64_t& value) override;
    BOOL IsDefault(PxOptionsPtr* row, int& isDefault) override;
    void SetValue(PxOptionsPtr* row, std::int64_t value) override;
    void MakeDefault(PxOptionsPtr* row, int makeDefault) override;
    BOOL HasLowerLimit(PxOptionsPtr* row, std::int64_t& limit) override;
    BOOL HasUpperLimit(PxOptionsPtr* row, std::int64_t& limit) override;
};

class VqsQSRReportUsesDBPxAdapter : public VqsFlagOptionPxAdapter<PxQSRReportOptions> {
public:
    VqsQSRReportUsesDBPxAdapter(VqsOptCtrlFlag* defaultBox, VqsOptCtrlFlag* valueBox);
};

// "Sizing" of a profile: default estimates, an expected number or a percentage. Writing one
// of the two numbers returns the other to its default. The sizing of a profile whose name
// starts with "$" is not the user's to edit.
class VqsElementListCtrlProfileSizingPxAdapter : public VqsSizingPxAdapter {
public:
    VqsElementListCtrlProfileSizingPxAdapter(VqsOptCtrlCombo* typeCombo, VqsOptCtrlString* valueEdit);

    BOOL LoadEditor(PxOptionsPtr* row, const char* pending) override;
    BOOL MergeEditor(PxOptionsPtr* row, const char* pending) override;
    // A percentage of three digits or more other than 100 beeps and becomes "100%".
    BOOL GetEditorText(char* buffer, int length) override;
    BOOL GetSizing(PxOptionsPtr* row, VqsSizing& sizing) override;
    void SetSizing(PxOptionsPtr* row, const VqsSizing& sizing) override;

private:
    static BOOL IsAutomaticProfile(PxOptionsPtr* row);
    void ShowLocked();
};
