// The site-wide switches of the fixed settings file "./KESH.INI" (section "Tamberlyn"),
// looked up in the working folder and read afresh at every use; the module never writes
// it. A missing file or key gives the default. "EncryptFtpPassword" is read by
// VqsReadEncryptFtpPassword (VqsTransactionEnterprise.h).
#pragma once

#include "win/CString.h"

// "NonAdminCanDelGS" is exactly "Y": users without right 2 may delete generate sets, and
// in the directory view anything but a system.
bool VqsNonAdminCanDeleteGenSets();
// "LogGenerateMessages" begins with Y or y: bundle generation keeps its messages.
bool VqsLogGenerateMessages();
// "TemporaryFilePath": the folder of bundle generation's listing files; by default the
// value of TEMP (empty when it is not set).
CString VqsTemporaryFilePath();
