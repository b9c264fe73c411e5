// The column adapter of the bulk grid: one column shows and edits one option (or shows one
// property) of many elements' option records. The element list control and the bulk option
// panel drive a column only through these operations; README.md says in which order.
//
// A row is a pointer to an entry of the page's array of option records. A cell text or a
// pending text that starts with the default mark "~" stands for the option's inherited
// default (the text after the mark is the default's value); a lone "~" stands for "none" in
// the columns that know it. An empty cell text means that the column does not apply to the
// row. Texts go into the caller's buffer of `length` bytes, cut on a character boundary.
#pragma once

#include "proxy/PxOptions.h"
#include "proxy/PxTypedList.h"
#include "win/CString.h"
#include "win/Collections.h"

#include <unordered_map>
#include <utility>
#include <vector>

using VqsOptionRows = PxTypedArray<PxOptionsPtr>;

inline constexpr char kVqsDefaultMark = '~';
// The cell and pending texts callers ask for.
inline constexpr int kVqsCellTextLength = 128;

class VqsElementListCtrlPxAdapter {
public:
    VqsElementListCtrlPxAdapter(const char* title, int width);
    virtual ~VqsElementListCtrlPxAdapter();
    VqsElementListCtrlPxAdapter(const VqsElementListCtrlPxAdapter&) = delete;
    VqsElementListCtrlPxAdapter& operator=(const VqsElementListCtrlPxAdapter&) = delete;

    virtual CString GetTitle() const;
    virtual int GetWidth() const;
    // The list-view column format: 0 left-aligned, 1 right-aligned.
    virtual int GetFormat() const;
    // The fixed values the column offers for a selection by value.
    virtual BOOL HasChoices() const;
    virtual const CStringArray* GetChoices() const;

    virtual void GetText(PxOptionsPtr* row, char* buffer, int length);
    // Applies a pending text to the row's record; rows the column does not apply to are let be.
    virtual void SetText(PxOptionsPtr* row, const char* text, int length);
    // Merges a further selected row into the editors; FALSE ends the merge of this column.
    virtual BOOL MergeEditor(PxOptionsPtr* row, const char* pending);
    // Loads the editors from the first selected row; FALSE when the column does not apply.
    virtual BOOL LoadEditor(PxOptionsPtr* row, const char* pending);
    // The editors' value as a pending text; TRUE when an editor changed since the last load
    // or refresh.
    virtual BOOL GetEditorText(char* buffer, int length);
    // The editors' state becomes their saved state.
    virtual void RefreshEditor();
    virtual void SetMatchText(const char* text) = 0;
    virtual BOOL MatchesRow(PxOptionsPtr* row, const char* pending) = 0;
    // Refreshes the values the editors offer from the repository.
    virtual void FillChoices();
    // Lets a column that knows defaults keep the default text of the rows.
    virtual void PrimeDefault(VqsOptionRows* rows);

protected:
    static void CopyCellText(const CString& text, char* buffer, int length);

    CString m_title;
    int m_nWidth;
    CStringArray m_choices;
};

// The row's record, or null for an empty row.
PxOptions* VqsRowRecord(PxOptionsPtr* row);
// The soft link whose options the row's record is; null when there is none.
PxVQSoftLinkPtr VqsRowSoftLink(PxOptionsPtr* row);
// The soft links of the rows, as VqsRowSoftLink of each answers, read together.
std::vector<PxVQSoftLinkPtr> VqsRowSoftLinks(const std::vector<PxOptionsPtr*>& rows);

// The soft links of many rows known at once, from where the rows were listed, which
// VqsRowSoftLink answers from while they are in place and no transaction is open (what a
// transaction's steps rely on is read in it, to be checked with its writes), so that a grid
// drawn or edited row by row does not read each row's link alone.
class VqsKnownRowSoftLinks {
public:
    // The links the records were listed from, one a record.
    VqsKnownRowSoftLinks(const std::vector<PxOptionsPtr>& records, const std::vector<PxVQSoftLinkPtr>& links);
    ~VqsKnownRowSoftLinks();
    VqsKnownRowSoftLinks(const VqsKnownRowSoftLinks&) = delete;
    VqsKnownRowSoftLinks& operator=(const VqsKnownRowSoftLinks&) = delete;

    // The link of the record of a row known here; null when the row is not known here.
    const PxVQSoftLinkPtr* Find(const PxOptions* record) const;

private:
    std::unordered_map<const PxOptions*, std::pair<PxOptionsPtr, PxVQSoftLinkPtr>> m_links;
};
