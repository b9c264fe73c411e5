// Show Generate Status: the recovery sessions of the selected system, and the request the
// user's choice makes of the generation client (monitor, install or restart a session).
#pragma once

#include "win/CString.h"

class VqsDirectoryView;

void VqsShowGenerateStatus(VqsDirectoryView& view);

// A report session's recovery file name: the report name, optionally followed by "<", the
// name to generate it as and ">". False for a name that begins with "<" (no report).
bool VqsParseRecoveryFileName(const CString& fileName, CString& reportName, CString& asName);
