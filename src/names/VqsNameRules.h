// The rules the configuration dialogs hold the names of systems, generate sets and report
// groups to, kept here for the dialogs and for the repository tool alike, so that whatever
// the tool stores opens and saves unchanged in every dialog. Text is bytes of the host's code
// page, and a length counts bytes: a double-byte character counts as two.
#pragma once

#include "win/CString.h"

// The most a long name takes, and a system's (short) name.
constexpr int kVqsLongNameLength = 30;
constexpr int kVqsSystemNameLength = 18;

// The name as a dialog takes it from its field: without white space at either end.
CString VqsTakenName(const CString& typed);

// Whether two names are one name to the dialogs: the same as taken, without regard to case
// (ASCII folding; double-byte characters compare exactly).
BOOL VqsSameName(const char* a, const char* b);

// 0 when a name, as taken, may be stored; 61465 ("Please enter a correct name.") when it is
// blank.
UINT VqsCheckTakenName(const CString& taken);

// 0 when a system's name, as taken, keeps the rule of its field: a letter first, then letters
// and digits (61691, 61692). The field makes what is typed into it upper case.
UINT VqsCheckSystemName(const CString& taken);
BOOL VqsIsUpperCase(const CString& name);
