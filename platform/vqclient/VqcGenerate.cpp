#include "vqclient/GenerateInfo.h"
#include "vqclient/VqcControlWindow.h"
#include "vqclient/VqClient.h"
#include "vqclient/VqcGenerations.h"
#include "vqclient/VqcTesting.h"

#include "proxy/PxLink.h"
#include "proxy/PxProcess.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "proxy/VqException.h"
#include "win/Clock.h"
#include "win/Messages.h"
#include "win/TemporaryFolder.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>

namespace {

constexpr UINT WM_GENERATE_PROGRESS = WM_USER + 200;
constexpr UINT WM_GENERATE_TEXT = WM_USER + 201;
constexpr int kSegmentLockHeld = 2;
// The progress event that ends a generation, and the first state the module counts as
// finished.
constexpr int kEventFinished = 3;
constexpr int kStateFinished = 8;

// What the client keeps of a request once VqcStartGenerate has returned.
struct Generation {
    // What each line of the log about the generation ends with: the session that asked for
    // it, so that the generations of hosts sharing the log are told apart.
    std::string session;
    std::string record;
    HWND frameWindow = nullptr;
    int kind = 0;
    PxVQOptionSetPtr genSet;
    // The recovery file names of the reports it generates: "NAME" or "NAME<ASNAME>".
    std::vector<std::string> reportFiles;
    // The recovery record a restart goes on with.
    PxHandle recoveryHandle;
    // It claimed its generate set: no other generation of the set runs until it ends.
    bool claimed = false;
    // It was given the generation hold (the persistent lock) on its generate set, placed by
    // the module or taken over from the session it restarts, and lifts it when it ends.
    bool holdsSet = false;
};

std::mutex g_mutex;
std::map<unsigned long, Generation> g_generations;
std::vector<std::string> g_requests;
unsigned long g_lastNumber = 0;
bool g_failNextStart = false;
std::string g_logPath;
std::atomic<long> g_eventTexts{0};

// The generations that make a recovery record of their own: reports, system, system with
// reports and bundle.
bool MakesRecoveryRecord(int kind)
{
    return kind == VqcGenerateReports || kind == VqcGenerateSystem || kind == VqcGenerateSystemWithReports ||
           kind == VqcGenerateBundle;
}

std::string Quoted(const CString& text) { return "\"" + std::string(text.GetString()) + "\""; }

std::string NameOf(const PxObjectPtr& object)
{
    return object ? Quoted(object->GetStringProperty("name")) : std::string("-");
}

std::string ElementsOf(const VqsElementSyncRecord& record)
{
    std::string text = " segment " + NameOf(record.businessSegment) + " link " + NameOf(record.softLink) +
                       " elements " + std::to_string(record.pairs.GetCount());
    return text;
}

std::string ReportsOf(const VqsBSSyncRecord& record)
{
    std::string text = " reports";
    for (POSITION pos = record.triples.GetHeadPosition(); pos;) {
        const VqcReportSyncTriple& triple = record.triples.GetNext(pos);
        text += " " + NameOf(triple.link);
        if (!triple.asName.IsEmpty())
            text += " as " + Quoted(triple.asName);
    }
    return text;
}

std::string SessionOf(const GenerateInfo& request)
{
    PxLink* link = request.genSet ? request.genSet->GetLink() : nullptr;
    PxProcess* process = link ? link->GetProcess() : nullptr;
    return process ? " (session " + std::to_string(process->GetSessionId()) + ")" : std::string();
}

std::string RecordOf(unsigned long number, const GenerateInfo& request)
{
    std::ostringstream out;
    out << "generation " << number << ": kind " << request.kind << " genset " << NameOf(request.genSet) << " host "
        << Quoted(request.hostName);
    if (request.elementSync)
        out << ElementsOf(*request.elementSync);
    if (request.reportSync)
        out << ElementsOf(*request.reportSync) << ReportsOf(*request.reportSync);
    if (!request.bundleName.IsEmpty())
        out << " bundle " << Quoted(request.bundleName) << " application " << Quoted(request.application)
            << " package " << Quoted(request.package) << " output " << Quoted(request.outputDirectory)
            << " batch " << Quoted(request.batchFile) << " log " << Quoted(request.logFile);
    if (request.system)
        out << " system " << NameOf(request.system) << " recovery " << request.recoveryHandle.GetDisplayString(0).GetString()
            << " second " << request.secondHandle.GetDisplayString(0).GetString();
    out << " scripted " << (request.clientContext ? 1 : 0);
    return out.str();
}

std::string LogPath()
{
    if (!g_logPath.empty())
        return g_logPath;
    if (const char* path = std::getenv("VQ_GENERATION_LOG"); path && *path)
        return path;
    const std::string work = vqclient::CurrentSettings().workPath;
    const std::filesystem::path folder = work.empty() ? vqwin::TemporaryFolder() : std::filesystem::path(work);
    return (folder / "vqgenerate.log").string();
}

// Appends the line to the log; false, with the reason on standard error, when it could not
// be written.
bool AppendToLog(const std::string& line)
{
    const std::string path = LogPath();
    errno = 0;
    std::ofstream log(path, std::ios::app);
    log << line << '\n';
    log.close();
    if (log)
        return true;
    std::fprintf(stderr, "VqClient: cannot write the generation log %s: %s.\n", path.c_str(),
                 std::strerror(errno ? errno : EIO));
    return false;
}

std::vector<std::string> ReportFilesOf(const GenerateInfo& request)
{
    std::vector<std::string> files;
    if (!request.reportSync)
        return files;
    for (POSITION pos = request.reportSync->triples.GetHeadPosition(); pos;) {
        const VqcReportSyncTriple& triple = request.reportSync->triples.GetNext(pos);
        if (!triple.link)
            continue;
        std::string file = triple.link->GetName().str();
        if (!triple.asName.IsEmpty() && triple.asName != "#")
            file += "<" + triple.asName.str() + ">";
        files.push_back(file);
    }
    return files;
}

PxVQSystemPtr SystemOf(const Generation& generation)
{
    const PxVQConfigPtr config = generation.genSet ? generation.genSet->GetConfig() : PxVQConfigPtr();
    return config ? config->GetSystem() : PxVQSystemPtr();
}

// The recovery record a restart goes on with; null when there is none.
PxVQRecoveryInfoPtr RestartedSession(const Generation& generation)
{
    const PxVQSystemPtr system = SystemOf(generation);
    return system ? system->GetRecoveryInfo(generation.recoveryHandle) : PxVQRecoveryInfoPtr();
}

// A generation that stops before it finishes leaves a recovery record for its generate set,
// written as the session's user, with the flag that it holds the business segment's lock.
// A restart goes on with the record of the session it restarts: only its state changes.
bool WriteRecoveryRecord(const Generation& generation, int state)
{
    const PxVQSystemPtr system = SystemOf(generation);
    PxLink* link = generation.genSet ? generation.genSet->GetLink() : nullptr;
    const bool restart = generation.kind == VqcGenerateRestart;
    if (!system || !link || (!restart && !MakesRecoveryRecord(generation.kind)))
        return false;
    try {
        link->BeginTransaction();
        if (restart) {
            const PxVQRecoveryInfoPtr session = system->GetRecoveryInfo(generation.recoveryHandle);
            if (session)
                session->SetCurrentState(state);
            link->CommitTransaction();
            return static_cast<bool>(session);
        }
        const PxVQRecoveryInfoPtr session = system->CreateRecoveryInfo(generation.genSet);
        session->setGenerateType(generation.kind);
        session->SetCurrentState(state);
        session->SetGenerationFlag(kSegmentLockHeld);
        session->SetUserId(vqclient::CurrentSettings().userName.c_str());
        session->setGenerateDate(_time64(nullptr));
        for (const std::string& file : generation.reportFiles)
            session->CreateRecoveryFileInfo(file.c_str());
        link->CommitTransaction();
        return true;
    } catch (const VqException&) {
        link->AbortTransaction();
        return false;
    }
}

// A generation's hold on its generate set belongs to that generation alone: the module places
// it (or takes it over from an interrupted generation) for the generation it starts, and only
// that generation's end lifts it. Otherwise one generation's end would free the set while
// another still writes its output, and a second generation could start beside the first.
// Whether a generation still runs is its claim on the set, which every session on the
// repository sees and which goes with the session of a host that dies.

// The generations that write a generate set's output: each claims the set while it runs.
bool ClaimsGenerateSet(int kind)
{
    return MakesRecoveryRecord(kind) || kind == VqcGenerateRestart;
}

bool PlacesGenerationHold(int kind)
{
    return kind == VqcGenerateSystem || kind == VqcGenerateSystemWithReports || kind == VqcGenerateBundle;
}

// Whether the generation is given the hold on its generate set: a system, system-with-reports
// or bundle generation the user starts (a scripted bundle places none), and a restart of such a
// session that had not finished.
bool IsGivenHold(const Generation& generation, bool scripted)
{
    if (generation.kind == VqcGenerateBundle && scripted)
        return false;
    if (generation.kind != VqcGenerateRestart)
        return PlacesGenerationHold(generation.kind);
    const PxVQRecoveryInfoPtr session = RestartedSession(generation);
    return session && session->GetCurrentState() < kStateFinished && PlacesGenerationHold(session->getGenerateType());
}

// The generation ends: its claim on the generate set goes, and with `liftHold` the hold it was
// given. One whose claim went with its session (the host closed it while the generation ran)
// leaves the set to whatever holds it now.
void EndClaim(const Generation& generation, bool liftHold)
{
    if (!generation.claimed)
        return;
    try {
        if (!generation.genSet->ReleaseGenerationClaim() || !liftHold || !generation.holdsSet)
            return;
        const PxPersistentLockPtr lock = generation.genSet->GetPersistentLock();
        if (lock && lock->GetLockCount() > lock->GetManualLockCount())
            generation.genSet->RemovePersistentLock(0, 1);
    } catch (const VqException& error) {
        std::fprintf(stderr, "VqClient: cannot give back the generate set: %s\n", error.what());
    }
}

// A restart that finishes leaves nothing of the session it restarted: a finished generation is
// neither offered for a restart nor listed as incomplete.
void DeleteRestartedRecord(const Generation& generation)
{
    PxLink* link = generation.genSet ? generation.genSet->GetLink() : nullptr;
    if (generation.kind != VqcGenerateRestart || !link)
        return;
    try {
        link->BeginTransaction();
        if (const PxVQRecoveryInfoPtr session = RestartedSession(generation))
            session->DeleteObject();
        link->CommitTransaction();
    } catch (const VqException& error) {
        link->AbortTransaction();
        std::fprintf(stderr, "VqClient: cannot record the end of the generation: %s\n", error.what());
    }
}

// Posts a progress event to the request's window; false, with the text kept here, when there
// is no window to take it.
bool PostEvent(const Generation& generation, int code, const std::string& text)
{
    // Without a window the message would sit in the thread's queue with nobody to free it.
    if (!generation.frameWindow)
        return false;
    const LPARAM owned = VqcMakeEventText(text.c_str());
    const bool posted = PostMessage(generation.frameWindow, WM_GENERATE_PROGRESS, static_cast<WPARAM>(code), owned);
    if (!posted)
        VqcTakeEventText(owned);
    return posted;
}

const Generation* FindGeneration(unsigned long number)
{
    auto found = g_generations.find(number);
    return found == g_generations.end() ? nullptr : &found->second;
}

// The generation has finished: it gives back its generate set, a restart's recovery record
// goes, "finish N" is logged and the generation is forgotten.
void FinishGeneration(unsigned long number)
{
    const auto found = g_generations.find(number);
    if (found == g_generations.end())
        return;
    EndClaim(found->second, true);
    DeleteRestartedRecord(found->second);
    AppendToLog("finish " + std::to_string(number) + found->second.session);
    g_generations.erase(found);
}

// Claims the request's generate set for the generation; false when another generation of the
// set runs.
bool ClaimSet(Generation& generation, bool scripted)
{
    if (!ClaimsGenerateSet(generation.kind) || !generation.genSet)
        return true;
    try {
        generation.holdsSet = IsGivenHold(generation, scripted);
        generation.claimed = generation.genSet->ClaimForGeneration() != FALSE;
        return generation.claimed;
    } catch (const VqException& error) {
        std::fprintf(stderr, "VqClient: cannot claim the generate set: %s\n", error.what());
        return false;
    }
}

} // namespace

unsigned long VqcStartGenerate(GenerateInfo& request)
{
    VqcControlWindow::Ensure();
    std::lock_guard lock(g_mutex);
    if (g_failNextStart) {
        g_failNextStart = false;
        return 0;
    }
    const unsigned long number = g_lastNumber + 1;
    Generation generation{SessionOf(request), RecordOf(number, request), request.frameWindow, request.kind,
                          request.genSet, ReportFilesOf(request), request.recoveryHandle};
    if (!ClaimSet(generation, request.clientContext != nullptr))
        return 0;
    // The record in the log is all this client makes of a request: one it cannot log is not
    // started.
    if (!AppendToLog(generation.record + generation.session)) {
        EndClaim(generation, false);
        return 0;
    }
    g_lastNumber = number;
    g_requests.push_back(generation.record);
    g_generations.emplace(number, std::move(generation));
    return number;
}

int CancelGenerate(unsigned long number, CString& reason)
{
    std::lock_guard lock(g_mutex);
    const auto found = g_generations.find(number);
    if (found == g_generations.end())
        return FALSE;
    EndClaim(found->second, true);
    AppendToLog("cancel " + std::to_string(number) + ": " + reason.GetString() + found->second.session);
    g_generations.erase(found);
    return TRUE;
}

BOOL PostMsgToMainThread(unsigned long number, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::lock_guard lock(g_mutex);
    const Generation* generation = FindGeneration(number);
    if (!generation)
        return FALSE;
    std::string line = "message " + std::to_string(number) + ": WM_USER+" + std::to_string(message - WM_USER) + " " +
                       std::to_string(wParam);
    // The main thread owns the text it is sent; this one keeps only what it logged.
    if (message == WM_GENERATE_TEXT && lParam)
        line += " \"" + VqcTakeEventText(lParam).str() + "\"";
    AppendToLog(line + generation->session);
    return TRUE;
}

LPARAM VqcMakeEventText(const char* text)
{
    const std::size_t length = text ? std::strlen(text) : 0;
    char* copy = new char[length + 1];
    if (length)
        std::memcpy(copy, text, length);
    copy[length] = '\0';
    ++g_eventTexts;
    return reinterpret_cast<LPARAM>(copy);
}

CString VqcTakeEventText(LPARAM text)
{
    char* owned = reinterpret_cast<char*>(text);
    CString result(owned ? owned : "");
    if (owned)
        --g_eventTexts;
    delete[] owned;
    return result;
}

namespace vqclient {

long EventTextsNotTaken() { return g_eventTexts; }

void ResetGenerations()
{
    std::lock_guard lock(g_mutex);
    g_generations.clear();
    g_requests.clear();
    g_lastNumber = 0;
    g_failNextStart = false;
}

void SetGenerationLog(const std::string& path)
{
    std::lock_guard lock(g_mutex);
    g_logPath = path;
}

std::string GenerationLogPath()
{
    std::lock_guard lock(g_mutex);
    return LogPath();
}

std::vector<std::string> Requests()
{
    std::lock_guard lock(g_mutex);
    return g_requests;
}

HWND FrameWindowOf(unsigned long number)
{
    std::lock_guard lock(g_mutex);
    const Generation* generation = FindGeneration(number);
    return generation ? generation->frameWindow : nullptr;
}

void FailNextStart()
{
    std::lock_guard lock(g_mutex);
    g_failNextStart = true;
}

unsigned long LastGenerateNumber()
{
    std::lock_guard lock(g_mutex);
    return g_lastNumber;
}

bool Interrupt(unsigned long number, int state)
{
    std::lock_guard lock(g_mutex);
    const auto found = g_generations.find(number);
    if (found == g_generations.end())
        return false;
    if (!WriteRecoveryRecord(found->second, state))
        return false;
    // One that stops unfinished keeps its hold for a restart; one that stops finished holds the
    // set no longer.
    EndClaim(found->second, state >= kStateFinished);
    // Its last event, as at the end of any generation: whoever follows it learns that it ended.
    PostEvent(found->second, kEventFinished, "The generation was interrupted in state " + std::to_string(state) + ".");
    AppendToLog("interrupt " + std::to_string(number) + ": state " + std::to_string(state) + found->second.session);
    g_generations.erase(found);
    return true;
}

Played PlayProgress(unsigned long number, int code, const std::string& text)
{
    std::lock_guard lock(g_mutex);
    const Generation* generation = FindGeneration(number);
    if (!generation)
        return Played::NoGeneration;
    const bool posted = PostEvent(*generation, code, text);
    if (code == kEventFinished)
        FinishGeneration(number);
    return posted ? Played::Posted : Played::NotShown;
}

} // namespace vqclient
