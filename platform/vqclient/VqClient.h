// Stand-in for the generation client library: the session settings the module hands over,
// and the queries and cancel of the client's generation threads.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "win/CString.h"
#include "win/Types.h"

#include <cstdint>

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

struct GenerateInfo;

// Starts the generation the request asks for and answers its number; 0 when it could not
// start. The request and what it points to are the caller's: the client copies them.
unsigned long VqcStartGenerate(GenerateInfo& request);
// Throws the repository's failure that kept the last VqcStartGenerate from starting (a claim of
// its set or session that the lock store failed: busy, refusing, its connection lost); nothing
// when that start answered a number, or 0 for another reason (another generation holds the set).
void VqcRethrowStartFailure();
// The module placed the generation's hold once the generation ran (the system path, after its
// claim): the identity the lock store gave it, which the generation's recovery record names
// should it stop unfinished, whatever became of the hold meanwhile (the owner's Unlock).
// Nothing for a number no generation has, or one given its hold at its start.
void VqcNoteGenerationHold(unsigned long number, std::int64_t holdId);
// Ends each generation whose claim on its set went (with its session's lock connection, say), as
// its next step would, and answers what the user is to be told of them instead of telling it;
// empty when none ended.
CString VqcEndGenerationsWithoutClaim();
// Ends the generation with the reason; FALSE for a number no generation has.
int CancelGenerate(unsigned long number, CString& reason);
// Posts to the main thread of the generation; FALSE for a number no generation has, and
// the sender keeps what lParam points to.
BOOL PostMsgToMainThread(unsigned long number, UINT message, WPARAM wParam, LPARAM lParam);

// Progress of a generation, posted to the request's frame window as WM_USER+200 with the
// event code as wParam and a text as lParam. The text is allocated by the sender and freed
// by the receiver (VqcTakeEventText).
LPARAM VqcMakeEventText(const char* text);
CString VqcTakeEventText(LPARAM text);

// Writes "<bundle>.dif" in the output directory (the work path when empty): the bundle's
// Ispecs, each "in step" or "missing from the design" of the business segment, with the
// package prefix and application name it was asked for. Nonzero when the file was written;
// `fileName` is its path.
int ReportOnBundleDifferences(const PxLSEBusinessSegmentPtr& segment, const CString& outputDirectory,
                              const CString& packagePrefix, const CString& applicationName, const PxVQBundlePtr& bundle,
                              CString& fileName);
