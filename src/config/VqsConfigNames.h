// The name fields of the configuration dialogs: with long names the dialog shows the long
// name and, below it, the short (repository) name in an upper-case field; without, one name
// field. The short name, when left empty, is derived from the start of the name.
#pragma once

#include "names/VqsNameRules.h"
#include "win/CString.h"
#include "win/Types.h"

class CDialog;
class VqsOptCtrlString;

// The first characters of the name within `length` bytes (never half a double-byte
// character), in upper case.
CString VqsDeriveShortName(const CString& name, int length);

// Takes the names from the fields: the name trimmed, the short name trimmed or derived,
// both written back and shown. FALSE, after the message and with the focus on the field,
// when the name is blank (VqsCheckTakenName) or a derived short name breaks the short-name field's rule.
BOOL VqsTakeNames(CDialog* dialog, BOOL longNames, VqsOptCtrlString& name, int nameId, VqsOptCtrlString& shortName,
                  int shortLength, CString& outName, CString& outShortName);

// The text as a host field of `length` bytes shows it: shift marks around its double-byte
// runs, cut to the field.
CString VqsWithShiftMarks(VqsOptCtrlString& binder, const CString& text, int length);
// The text without shift marks.
CString VqsWithoutShiftMarks(const CString& text);
// The title template with its first "%s" replaced by the text; nothing else of it is read
// as a directive.
CString VqsReplaceFirstS(const CString& format, const CString& text);
