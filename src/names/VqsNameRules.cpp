#include "names/VqsNameRules.h"

#include "names/VqsValidation.h"
#include "win/MbString.h"

namespace {

constexpr UINT IDS_ENTER_CORRECT_NAME = 61465;

} // namespace

CString VqsTakenName(const CString& typed) { return VqsValidation::Trimmed(typed); }

BOOL VqsSameName(const char* a, const char* b)
{
    return _mbsicmp(VqsTakenName(a ? a : "").GetString(), VqsTakenName(b ? b : "").GetString()) == 0;
}

UINT VqsCheckTakenName(const CString& taken) { return taken.IsEmpty() ? IDS_ENTER_CORRECT_NAME : 0; }

UINT VqsCheckSystemName(const CString& taken) { return VqsValidation::CheckID(taken); }

UINT VqsCheckGenSetName(const CString& taken) { return VqsValidation::CheckASCII(taken); }

UINT VqsCheckReportGroupName(const CString& taken) { return VqsValidation::CheckNoBlanksOrSeparators(taken); }

BOOL VqsIsUpperCase(const CString& name)
{
    CString upper = name;
    upper.MakeUpper();
    return upper == name;
}
