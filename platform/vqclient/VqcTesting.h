// What tests see of the generation client: the settings it was given and the calls it
// received, in order. Not for the module.
#pragma once

#include "win/Types.h"

#include <string>
#include <vector>

namespace vqclient {

struct Settings {
    std::string iniPath;
    std::string userName;
    const void* nodeHandle = nullptr;
    int repositoryMode = 0;
    std::string workPath;
    bool admin = false;
};

Settings CurrentSettings();
// One line per call, e.g. "VqcSetSignOnUserName ABC", "VqcSetWorkPath".
std::vector<std::string> Calls();
// Forgets the settings, the calls and the generations (not the generation log).
void Reset();

// The generation log: one line for each request (as its record) and each cancel, appended
// to $VQ_GENERATION_LOG, else to "vqgenerate.log" in the work path. A start whose record
// cannot be written answers 0.
void SetGenerationLog(const std::string& path);
std::string GenerationLogPath();
// The records of the requests started since the last reset, in order.
std::vector<std::string> Requests();
// The window the generation's progress goes to; null for a number no generation has.
HWND FrameWindowOf(unsigned long number);
// The next start fails (answers 0).
void FailNextStart();
// The number the last start answered; 0 when none started.
unsigned long LastGenerateNumber();
// The generation stops before it finishes: a report, system or bundle generation leaves its
// recovery record (generate type its kind, the state given, generation flag 2 as it holds
// the segment, the session's user, a file for each report, "NAME<ASNAME>" with an as-name),
// a restart leaves the record of its session in the state given; one that stops in a
// finished state (8 or more) gives back its lock as at event 3. Event 3 goes to the request's
// window, "interrupt N: state S" is logged and the generation is forgotten. False for a number
// no such generation has, and for one whose record could not be written: that one ends all
// the same ("interrupt N: its recovery record could not be written: REASON", the user told).
bool Interrupt(unsigned long number, int state);
// Posts progress (WM_USER+200) to the frame window of the generation, as the client does
// while it runs. Event 3 ends the generation, as the
// client's last event: it gives back the persistent lock it holds on its generate set (a
// system, system-with-reports or bundle generation, or a restart of one that had not
// finished), a restart's recovery record goes to state 8 (finished) when it shows less,
// "finish N" is logged and the generation is forgotten.
// What playing an event came to: no generation of that number runs; the event was posted;
// the generation has no window, or one that is gone, so nothing was shown (event 3 ended it
// all the same).
enum class Played { NoGeneration = 0, Posted = 1, NotShown = 2 };
Played PlayProgress(unsigned long number, int code, const std::string& text);
// Event texts made (VqcMakeEventText) and not yet taken back (VqcTakeEventText).
long EventTextsNotTaken();

} // namespace vqclient
