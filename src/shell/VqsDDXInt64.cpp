#include "shell/VqsDDXInt64.h"

#include "shell/VqsIntegerText.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsWindowText.h"
#include "win/CDataExchange.h"

#include <limits>

namespace {

constexpr UINT kEnterInteger = 61508;
constexpr UINT kAtLeast = 61509;
constexpr UINT kAtMost = 61510;
constexpr UINT kInRange = 61511;
constexpr int kMostCharactersRead = 255;

struct Bounds {
    BOOL hasMinimum;
    LONGLONG minimum;
    BOOL hasMaximum;
    LONGLONG maximum;

    LONGLONG BlankValue() const
    {
        if (hasMinimum)
            return minimum;
        if (hasMaximum && maximum < 0)
            return maximum;
        return 0;
    }

    BOOL Holds(LONGLONG number) const
    {
        return !(hasMinimum && number < minimum) && !(hasMaximum && number > maximum);
    }
};

// The message names the bounds there are; a number too large for any bound is told the whole
// range it may have.
[[noreturn]] void FailWithRange(CDataExchange* pDX, const Bounds& bounds, BOOL wholeRange)
{
    const CString lowest =
        VqsFormatInteger(bounds.hasMinimum ? bounds.minimum : std::numeric_limits<LONGLONG>::min());
    const CString highest =
        VqsFormatInteger(bounds.hasMaximum ? bounds.maximum : std::numeric_limits<LONGLONG>::max());
    CString text;
    if (wholeRange || (bounds.hasMinimum && bounds.hasMaximum))
        text.FormatMessage(kInRange, lowest.GetString(), highest.GetString());
    else if (bounds.hasMaximum)
        text.FormatMessage(kAtMost, highest.GetString());
    else
        text.FormatMessage(kAtLeast, lowest.GetString());
    VqsErrorBox(text);
    pDX->Fail();
}

CString TextRead(HWND edit)
{
    CString text = VqsGetWindowText(edit);
    if (text.GetLength() > kMostCharactersRead)
        text = text.Left(kMostCharactersRead);
    return text;
}

} // namespace

void VqsDDXInt64(CDataExchange* pDX, int controlId, LONGLONG& value, BOOL hasMinimum, LONGLONG minimum,
                 BOOL hasMaximum, LONGLONG maximum, BOOL noRangeCheck)
{
    HWND edit = pDX->PrepareEditCtrl(controlId);
    if (!pDX->m_bSaveAndValidate) {
        VqsSetWindowTextKeepCaret(edit, VqsFormatInteger(value));
        return;
    }
    const Bounds bounds{hasMinimum, minimum, hasMaximum, maximum};
    LONGLONG number = 0;
    switch (VqsParseInteger(TextRead(edit).str(), number)) {
    case VqsIntegerParse::SignOnly:
    case VqsIntegerParse::NotANumber:
        VqsErrorBoxId(kEnterInteger);
        pDX->Fail();
    case VqsIntegerParse::Overflow:
        FailWithRange(pDX, bounds, TRUE);
    case VqsIntegerParse::Blank:
        number = bounds.BlankValue();
        VqsSetWindowTextKeepCaret(edit, VqsFormatInteger(number));
        break;
    case VqsIntegerParse::Number:
        break;
    }
    if (!noRangeCheck && !bounds.Holds(number))
        FailWithRange(pDX, bounds, FALSE);
    value = number;
}
