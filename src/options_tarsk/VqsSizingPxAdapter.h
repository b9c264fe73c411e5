// A "Sizing" column of the bulk grid: one cell for the options behind a sizing (expected
// number, percentage, page maximum; VqsSizingText.h), edited with a "Sizing Type:" combo and
// a "Value" edit. A platform's column names the kinds its combo offers, in order, and reads
// and writes the row's options; the texts, the editors and the checks are the same for all.
#pragma once

#include "options/VqsElementListCtrlPxAdapter.h"
#include "options_tarsk/VqsSizingText.h"
#include "shell/VqsOptCtrlCombo.h"
#include "shell/VqsOptCtrlString.h"

#include <vector>

class VqsSizingPxAdapter : public VqsElementListCtrlPxAdapter {
public:
    // The combo's items become the names of the kinds. Its window must exist.
    VqsSizingPxAdapter(VqsOptCtrlCombo* typeCombo, VqsOptCtrlString* valueEdit, std::vector<VqsSizingKind> kinds);

    int GetFormat() const override { return 1; }
    void GetText(PxOptionsPtr* row, char* buffer, int length) override;
    void SetText(PxOptionsPtr* row, const char* text, int length) override;
    BOOL LoadEditor(PxOptionsPtr* row, const char* pending) override;
    // A row whose sizing differs from the first row's shows the combo's first kind with no value.
    BOOL MergeEditor(PxOptionsPtr* row, const char* pending) override;
    // When the kind was changed an empty value counts as "0". A refused value beeps.
    BOOL GetEditorText(char* buffer, int length) override;
    // With the Default kind chosen the value is emptied and disabled.
    void RefreshEditor() override;
    // Compares without the default mark and without regard to case.
    void SetMatchText(const char* text) override;
    BOOL MatchesRow(PxOptionsPtr* row, const char* pending) override;

    // The row's sizing; FALSE when the column does not apply to the row.
    virtual BOOL GetSizing(PxOptionsPtr* row, VqsSizing& sizing) = 0;
    // Writes a sizing to a row the column applies to.
    virtual void SetSizing(PxOptionsPtr* row, const VqsSizing& sizing) = 0;

protected:
    BOOL KnowsPercent() const;
    // The kind of a combo index; Default for none.
    VqsSizingKind KindAt(int index) const;
    void Show(const VqsSizing& sizing);
    void ShowNotApplicable();

    VqsOptCtrlCombo* m_pType;
    VqsOptCtrlString* m_pValue;
    std::vector<VqsSizingKind> m_kinds;
    VqsSizing m_loaded;
    CString m_strMatch;
};
