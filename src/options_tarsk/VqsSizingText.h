// The text of a "Sizing" cell of the bulk grid: one text for how the space of an element's
// data is estimated, by default estimates, an expected number of records, a percentage or a
// maximum number of pages. The parser and the formatter are the two directions between the
// text and a (kind, number) pair; the composer turns what the user left in the sizing
// editors (the chosen kind and the typed value) into a text, or refuses it.
//
//   kind      text
//   Default   "~Default"
//   Expected  "250"
//   Percent   "50%"
//   Pages     "12 pages"
#pragma once

#include "win/CString.h"

#include <cstdint>

enum class VqsSizingKind { Default, Expected, Percent, Pages };

struct VqsSizing {
    VqsSizingKind kind = VqsSizingKind::Default;
    std::int64_t number = 0;
    bool operator==(const VqsSizing&) const = default;
};

// The smallest page maximum a sizing may hold; a smaller one is raised to it when written.
inline constexpr std::int64_t kVqsMinimumMaxPages = 8;

// The text's leading decimal integer (after blanks, with an optional sign); 0 when there is
// none; a number beyond 64 bits is clamped to the nearest 64-bit value.
std::int64_t VqsLeadingNumber(const char* text);

// A text that is empty or starts with "~" is Default; one with neither a blank nor "%" is
// Expected; one with a blank and no "%" is Pages when the second character after the blank
// is "a" (as in " pages"), else Default; one with "%" is Percent where percentages are
// known, else Default. The number is the text's leading number in every case.
VqsSizing VqsParseSizing(const char* text, bool knowsPercent);

CString VqsFormatSizing(const VqsSizing& sizing);

// The name of the kind in a "Sizing Type:" list.
const char* VqsSizingKindName(VqsSizingKind kind);

// What the editors' value becomes.
struct VqsSizingEdit {
    bool accepted = false; // false: refused (the editor beeps)
    CString value;         // what the value edit shows afterwards
    CString text;          // the pending text; empty when nothing is to be applied
};

// The kind chosen and the value typed, given the value the edit held before: the value
// must be digits only, and a percentage fewer than three digits or exactly "100". A refused
// value goes back to the previous one; a refused percentage whose previous value is no
// percentage either (an empty one included) becomes "100" and the text "100%".
VqsSizingEdit VqsComposeSizingText(VqsSizingKind kind, const CString& value, const CString& previousValue);
