// The columns of the Tarsk bulk panels (VqsOptionPageTarskBSegBulkOptions.h) that hold Tarsk
// options, each on the family of the option framework that edits its kind of value, and the
// sizing columns (VqsTarskSizingPxAdapters.h). Most Ispec columns apply by the component
// rule (VqsTarskBulkRows.h). Linked columns: a QUB number opens or closes its row's duplex
// pack editors, "Inter DB" and "Allow External" exclude each other's contradictions, and
// "Separately Compiled" enables the global logic's SOM name.
#pragma once

#include "options/VqsColumnAdaptersWithDefault.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxTarskBSegOptions.h"
#include "proxy/PxTarskCompOptions.h"

#include <vector>

// The rows whose option the repository refused while one apply went on: the user hears a
// beep for each and is told of all of them once the apply ends.
class VqsTarskBulkRefusals {
public:
    void Add(const CString& element, const CString& column);
    void Clear() { m_entries.clear(); }
    bool IsEmpty() const { return m_entries.empty(); }
    // One line per refusal: the element's name and the column's title.
    CString Describe() const;

private:
    std::vector<CString> m_entries;
};

// The duplex pack of a row with a QUB number, or none (an empty pack).
class VqsTarskQUBDuplexPxAdapter : public VqsComboWithDefaultAndNoneValuePxAdapter {
public:
    VqsTarskQUBDuplexPxAdapter(const char* title, int width, VqsOptCtrlFlag* noneBox, VqsOptCtrlFlag* defaultBox,
                               VqsOptCtrlCombo* combo, const PxTarskBSegOptionsPtr& segment);

    void FillChoices() override;
    BOOL LoadEditor(PxOptionsPtr* row, const char* pending) override;
    BOOL GetEditorText(char* buffer, int length) override;

    BOOL IsNone(PxOptionsPtr* row, int& isNone) override;
    BOOL GetDefault(PxOptionsPtr* row, CString& value) override;
    BOOL GetValue(PxOptionsPtr* row, CString& value) override;
    BOOL IsDefault(PxOptionsPtr* row, int& isDefault) override;
    void SetValue(PxOptionsPtr* row, const char* value, int length) override;
    void MakeDefault(PxOptionsPtr* row, int makeDefault) override;
    void SetNone(PxOptionsPtr* row, int none) override;

    // What a QUB number typed for the selected rows does to the duplex editors: a number
    // opens them at "No Duplex", none closes them. The next editor text reports it.
    void EnableEditors(BOOL enable);
    BOOL IsNoneBoxEnabled() const { return m_pNone->IsEnabled(); }

protected:
    // The row's duplex pack option; FALSE when the row has no QUB number (or no such record).
    virtual BOOL ReadPack(PxOptionsPtr* row, CString& pack, int& isDefault) = 0;
    virtual void WritePack(PxOptionsPtr* row, const char* pack) = 0;
    virtual void MakePackDefault(PxOptionsPtr* row) = 0;

    PxTarskBSegOptionsPtr m_pSegment;
    VqsOptCtrlFlag* m_pNone;
    VqsOptCtrlFlag* m_pDefault;
    VqsOptCtrlCombo* m_pDuplexCombo;
    BOOL m_bForced = FALSE;
};

class VqsTarskIspecQUBDuplexPackPxAdapter : public VqsTarskQUBDuplexPxAdapter {
public:
    VqsTarskIspecQUBDuplexPackPxAdapter(VqsOptCtrlFlag* noneBox, VqsOptCtrlFlag* defaultBox, VqsOptCtrlCombo* combo,
                                        const PxTarskBSegOptionsPtr& segment);

protected:
    BOOL ReadPack(PxOptionsPtr* row, CString& pack, int& isDefault) override;
    void WritePack(PxOptionsPtr* row, const char* pack) override;
    void MakePackDefault(PxOptionsPtr* row) override;
};

class VqsTarskProfileQUBDuplexPxAdapter : public VqsTarskQUBDuplexPxAdapter {
public:
    VqsTarskProfileQUBDuplexPxAdapter(VqsOptCtrlFlag* noneBox, VqsOptCtrlFlag* defaultBox, VqsOptCtrlCombo* combo,
                                      const PxTarskBSegOptionsPtr& segment);

protected:
    BOOL ReadPack(PxOptionsPtr* row, CString& pack, int& isDefault) override;
    void WritePack(PxOptionsPtr* row, const char* pack) override;
    void MakePackDefault(PxOptionsPtr* row) override;
};

// A QUB number; 0 (the "No Qub" box) is none. One row at a time: a second selected row
// disables the editors. A number the repository refuses beeps and is reported after the apply.
class VqsTarskQubNoPxAdapter : public VqsNumericWithDefaultValuePxAdapter {
public:
    using VqsNumericWithDefaultValuePxAdapter::GetDefault;
    using VqsNumericWithDefaultValuePxAdapter::GetValue;
    using VqsNumericWithDefaultValuePxAdapter::SetValue;

    VqsTarskQubNoPxAdapter(VqsOptCtrlFlag* noQubBox, VqsOptCtrlString* edit, VqsTarskQUBDuplexPxAdapter* duplex,
                           VqsTarskBulkRefusals* refusals);

    BOOL MergeEditor(PxOptionsPtr* row, const char* pending) override;
    BOOL GetEditorText(char* buffer, int length) override;

    BOOL GetDefault(PxOptionsPtr* row, std::int64_t& value) override;
    BOOL GetValue(PxOptionsPtr* row, std::int64_t& value) override;
    BOOL IsDefault(PxOptionsPtr* row, int& isDefault) override;
    void SetValue(PxOptionsPtr* row, std::int64_t value) override;
    void MakeDefault(PxOptionsPtr* row, int makeDefault) override;

protected:
    // The row's number; FALSE when the column does not apply.
    virtual BOOL ReadNumber(PxOptionsPtr* row, std::int64_t& number, int& isDefault, std::int64_t& defaultNumber) = 0;
    virtual void WriteNumber(PxOptionsPtr* row, std::int64_t number) = 0;
    virtual void MakeNumberDefault(PxOptionsPtr* row) = 0;

    VqsTarskQUBDuplexPxAdapter* m_pDuplex;
    VqsTarskBulkRefusals* m_pRefusals;
};

class VqsElementListCtrlIspecQubNoPxAdapter : public VqsTarskQubNoPxAdapter {
public:
    using VqsTarskQubNoPxAdapter::VqsTarskQubNoPxAdapter;

protected:
    BOOL ReadNumber(PxOptionsPtr* row, std::int64_t& number, int& isDefault, std::int64_t& defaultNumber) override;
    void WriteNumber(PxOptionsPtr* row, std::int64_t number) override;
    void MakeNumberDefault(PxOptionsPtr* row) override;
};

class VqsTarskProfileQubNoPxAdapter : public VqsTarskQubNoPxAdapter {
public:
    using VqsTarskQubNoPxAdapter::VqsTarskQubNoPxAdapter;

protected:
    BOOL ReadNumber(PxOptionsPtr* row, std::int64_t& number, int& isDefault, std::int64_t& defaultNumber) override;
    void WriteNumber(PxOptionsPtr* row, std::int64_t number) override;
    void MakeNumberDefault(PxOptionsPtr* row) override;
};

class VqsTarskIspecPackPxAdapter : public VqsComboWithDefaultValuePxAdapter {
public:
    VqsTarskIspecPackPxAdapter(VqsOptCtrlFlag* defaultBox, VqsOptCtrlCombo* combo);

    void FillChoices() override { FillWithPacks(); }
    BOOL GetDefault(PxOptionsPtr* row, CString& value) override;
    BOOL GetValue(PxOptionsPtr* row, CString& value) override;
    BOOL IsDefault(PxOptionsPtr* row, int& isDefault) override;
    void SetValue(PxOptionsPtr* row, const char* value) override;
    void MakeDefault(PxOptionsPtr* row, int makeDefault) override;
};

// A profile's minimum page size: no size of its own shows as the default mark alone, and 0
// written makes it default.
class VqsTarskProfilePageSizePxAdapter : public VqsComboWithDefaultValuePxAdapter {
public:
    VqsTarskProfilePageSizePxAdapter(VqsOptCtrlFlag* defaultBox, VqsOptCtrlCombo* combo,
                                     VqsTarskBulkRefusals* refusals);

    int GetFormat() const override { return 1; }
    BOOL GetDefault(PxOptionsPtr* row, CString& value) override;
    BOOL GetValue(PxOptionsPtr* row, CString& value) override;
    BOOL IsDefault(PxOptionsPtr* row, int& isDefault) override;
    void SetValue(PxOptionsPtr* row, const char* value) override;
    void MakeDefault(PxOptionsPtr* row, int makeDefault) override;

private:
    VqsTarskBulkRefusals* m_pRefusals;
};

// A multiple-record maximum of a component, for Ispecs or for reports.
class VqsTarskIspecMultiMaxPxAdapter : public VqsNumericValuePxAdapter {
public:
    using Getter = std::int64_t (PxTarskCompOptions::*)() const;
    using Setter = void (PxTarskCompOptions::*)(std::int64_t);
    using Limit = BOOL (PxTarskCompOptions::*)(std::int64_t&) const;

    VqsTarskIspecMultiMaxPxAdapter(const char* title, VqsOptCtrlString* edit, Getter get, Setter set, Limit lower,
                                   Limit upper, VqsTarskBulkRefusals* refusals);

    BOOL GetValue(PxOptionsPtr* row, std::int64_t& value) override;
    void SetValue(PxOptionsPtr* row, std::int64_t value) override;
    BOOL HasLowerLimit(PxOptionsPtr* row, std::int64_t& limit) override;
    BOOL HasUpperLimit(PxOptionsPtr* row, std::int64_t& limit) override;

private:
    Getter m_get;
    Setter m_set;
    Limit m_lower;
    Limit m_upper;
    VqsTarskBulkRefusals* m_pRefusals;
};

class VqsTarskIspecMultiMaxAccessIspecsPxAdapter : public VqsTarskIspecMultiMaxPxAdapter {
public:
    VqsTarskIspecMultiMaxAccessIspecsPxAdapter(VqsOptCtrlString* edit, VqsTarskBulkRefusals* refusals);
};

class VqsTarskIspecMultiMaxAccessReportsPxAdapter : public VqsTarskIspecMultiMaxPxAdapter {
public:
    VqsTarskIspecMultiMaxAccessReportsPxAdapter(VqsOptCtrlString* edit, VqsTarskBulkRefusals* refusals);
};

class VqsTarskIspecRevertStdLayoutPxAdapter : public VqsBOOLValuePxAdapter {
public:
    explicit VqsTarskIspecRevertStdLayoutPxAdapter(VqsOptCtrlFlag* box);

    BOOL GetValue(PxOptionsPtr* row, int& value) override;
    void SetValue(PxOptionsPtr* row, int value) override;
};

class VqsTarskIspecAllowExternalPxAdapter : public VqsBOOLValuePxAdapter {
public:
    explicit VqsTarskIspecAllowExternalPxAdapter(VqsOptCtrlFlag* box);

    BOOL GetValue(PxOptionsPtr* row, int& value) override;
    void SetValue(PxOptionsPtr* row, int value) override;

    VqsOptCtrlFlag* Box() const { return m_pBox; }
};

// How a component reaches other databases: "Internal Only", "Internal/External" or
// "External Only". "External Only" is refused while "Allow External" is checked, and
// disables that box while it is shown; the blank entry is never taken.
class VqsTarskIspecInterDBPxAdapter : public VqsElementListCtrlPxAdapter {
public:
    VqsTarskIspecInterDBPxAdapter(VqsOptCtrlCombo* combo, VqsTarskIspecAllowExternalPxAdapter* allowExternal);

    BOOL HasChoices() const override { return TRUE; }
    void GetText(PxOptionsPtr* row, char* buffer, int length) override;
    void SetText(PxOptionsPtr* row, const char* text, int length) override;
    BOOL LoadEditor(PxOptionsPtr* row, const char* pending) override;
    BOOL MergeEditor(PxOptionsPtr* row, const char* pending) override;
    BOOL GetEditorText(char* buffer, int length) override;
    void RefreshEditor() override;
    void SetMatchText(const char* text) override;
    BOOL MatchesRow(PxOptionsPtr* row, const char* pending) override;

private:
    // The row's text; empty when the column does not apply.
    static CString TextOf(PxOptionsPtr* row);
    void ShowNotApplicable();

    VqsOptCtrlCombo* m_pCombo;
    VqsTarskIspecAllowExternalPxAdapter* m_pAllowExternal;
    CString m_strLoaded;
    CString m_strMatch;
};

// A subsystem object module name: letters and digits; "GROUP1", the default, shows as no
// name, and writing it returns the option to its default.
class VqsTarskSOMNamePxAdapter : public VqsStringWithDefaultValuePxAdapter {
public:
    VqsTarskSOMNamePxAdapter(VqsOptCtrlFlag* defaultBox, VqsOptCtrlString* edit);

    BOOL GetEditorText(char* buffer, int length) override;
    BOOL GetDefault(PxOptionsPtr* row, CString& value) override;
    BOOL GetValue(PxOptionsPtr* row, CString& value) override;
    BOOL IsDefault(PxOptionsPtr* row, int& isDefault) override;
    void SetValue(PxOptionsPtr* row, const char* value) override;
    void MakeDefault(PxOptionsPtr* row, int makeDefault) override;

protected:
    struct Name {
        CString value;
        CString defaultValue;
        int isDefault = 0;
    };
    virtual BOOL ReadName(PxOptionsPtr* row, Name& name) = 0;
    virtual void WriteName(PxOptionsPtr* row, const char* name) = 0;
    virtual void MakeNameDefault(PxOptionsPtr* row) = 0;
};

class VqsTarskIspecSOMNamePxAdapter : public VqsTarskSOMNamePxAdapter {
public:
    using VqsTarskSOMNamePxAdapter::VqsTarskSOMNamePxAdapter;

protected:
    BOOL ReadName(PxOptionsPtr* row, Name& name) override;
    void WriteName(PxOptionsPtr* row, const char* name) override;
    void MakeNameDefault(PxOptionsPtr* row) override;
};

// A global logic's SOM name, editable only while the logic is separately compiled.
class VqsTarskGLGSOMNamePxAdapter : public VqsTarskSOMNamePxAdapter {
public:
    using VqsTarskSOMNamePxAdapter::VqsTarskSOMNamePxAdapter;

    BOOL LoadEditor(PxOptionsPtr* row, const char* pending) override;
    BOOL MergeEditor(PxOptionsPtr* row, const char* pending) override;
    void EnableEditors(BOOL enable);

protected:
    BOOL ReadName(PxOptionsPtr* row, Name& name) override;
    void WriteName(PxOptionsPtr* row, const char* name) override;
    void MakeNameDefault(PxOptionsPtr* row) override;

private:
    void ShowDisabled();

    BOOL m_bEnabled = TRUE;
};

// Whether a global logic is compiled on its own. A logic with parameters always is: it shows
// "~Yes" and is never edited.
class VqsTarskGlgSeparateCompilePxAdapter : public VqsBOOLValuePxAdapter {
public:
    VqsTarskGlgSeparateCompilePxAdapter(VqsOptCtrlFlag* box, const PxBSegOptionsPtr& segment,
                                        VqsTarskGLGSOMNamePxAdapter* somName);

    void GetText(PxOptionsPtr* row, char* buffer, int length) override;
    BOOL LoadEditor(PxOptionsPtr* row, const char* pending) override;
    BOOL GetEditorText(char* buffer, int length) override;
    BOOL GetValue(PxOptionsPtr* row, int& value) override;
    void SetValue(PxOptionsPtr* row, int value) override;

private:
    BOOL HasParameters(PxOptionsPtr* row) const;

    PxLSEBusinessSegmentPtr m_pDesignSegment;
    VqsTarskGLGSOMNamePxAdapter* m_pSomName;
};

class VqsTarskReportSortMemSizePxAdapter : public VqsNumericValuePxAdapter {
public:
    explicit VqsTarskReportSortMemSizePxAdapter(VqsOptCtrlString* edit);

    BOOL GetValue(PxOptionsPtr* row, std::int64_t& value) override;
    void SetValue(PxOptionsPtr* row, std::int64_t value) override;
    BOOL HasLowerLimit(PxOptionsPtr* row, std::int64_t& limit) override;
    BOOL HasUpperLimit(PxOptionsPtr* row, std::int64_t& limit) override;
};

class VqsTarskReportUsesDBPxAdapter : public VqsBoolWithDefaultValuePxAdapter {
public:
    VqsTarskReportUsesDBPxAdapter(VqsOptCtrlFlag* defaultBox, VqsOptCtrlFlag* valueBox);

    BOOL GetDefault(PxOptionsPtr* row, int& value) override;
    BOOL GetValue(PxOptionsPtr* row, int& value) override;
    BOOL IsDefault(PxOptionsPtr* row, int& isDefault) override;
    void SetValue(PxOptionsPtr* row, int value) override;
    void MakeDefault(PxOptionsPtr* row, int makeDefault) override;
};
