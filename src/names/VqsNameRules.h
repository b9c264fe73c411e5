// The rules the configuration dialogs hold the names of systems, generate sets and report
// groups to, kept here for the dialogs and for the repository tool alike, so that whatever
// the tool stores opens and saves unchanged in every dialog. Text is bytes of the host's code
// page, and a length counts bytes: a double-byte character counts as two.
#pragma once

#include "win/CString.h"

// The most a long name takes, and the (short) name of a system, a generate set and a report
// group.
constexpr int kVqsLongNameLength = 30;
constexpr int kVqsSystemNameLength = 18;
constexpr int kVqsGenSetNameLength = 10;
constexpr int kVqsReportGroupNameLength = 10;

// The name as a dialog takes it from its field: without white space at either end.
CString VqsTakenName(const CString& typed);

// Whether two names are one name to the dialogs: the same as taken, without regard to case
// (ASCII folding; double-byte characters compare exactly).
BOOL VqsSameName(const char* a, const char* b);

// 0 when a name, as taken, may be stored; 61465 ("Please enter a correct name.") when it is
// blank.
UINT VqsCheckTakenName(const CString& taken);

// 0 when a name, as taken, keeps the rule of its field; else the message that refuses it.
// Each of these fields makes what is typed into it upper case (VqsIsUpperCase).
// A system's: a letter first, then letters and digits (61691, 61692).
UINT VqsCheckSystemName(const CString& taken);
// A generate set's: no character beyond ASCII (61465).
UINT VqsCheckGenSetName(const CString& taken);
// A report group's: no blank, "!", ";", ":" or character beyond ASCII (61690).
UINT VqsCheckReportGroupName(const CString& taken);
BOOL VqsIsUpperCase(const CString& name);
