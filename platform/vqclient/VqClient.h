// Stand-in for the generation client library: the session settings the module hands over,
// and the queries and cancel of the client's generation threads.
#pragma once

#include "win/Types.h"

void VqcSetIniPath(const char* path);
void VqcSetSignOnUserName(const char* userCode);
void VqcSetNodeHandle(const void* nodeHandle);
void VqcSetRepositoryMode(int mode);
// Sets the client's work path: the directory of $TEMP (or the system's temporary directory).
void VqcSetWorkPath();
void VqcSetAdminUser(BOOL admin);

// True while a main thread runs a generation.
bool AnyActiveMainThreads();
// Asks every main thread to end (see VqcMainThread::Cancel).
void CancelAllMainThreads();
// Main threads that have not ended, whether or not their generation still runs.
int GetMainThreadCount();
bool AnyActiveWorkThreads();

// The text the module's test query reports for this library.
const char* IsVqclientTestDll();
