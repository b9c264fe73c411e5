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
#include "win/UiDriver.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <sstream>
#include <vector>

namespace {

constexpr UINT WM_GENERATE_PROGRESS = WM_USER + 200;
constexpr UINT WM_GENERATE_TEXT = WM_USER + 201;
constexpr int kSegmentLockHeld = 2;
// The progress event that ends a generation, and the first state the module counts as
// finished.
constexpr int kEventFinished = 3;
constexpr int kStateFinished = 8;
// How often a generation's end reads again what it needs of the lock store (its hold's
// identity) while the store cannot answer it. Its claim is asked once, briefly, at each try (a
// store that cannot answer takes nothing away); what it gives back or lifts and the store
// refuses is owed by its session.
constexpr int kGiveBackTries = 3;
// The caption of what the client tells the user itself.
constexpr char kClientCaption[] = "Anvilor Client";

// What the client keeps of a request once VqcStartGenerate has returned.
struct Generation {
    // What each line of the log about the generation ends with: the session that asked for
    // it, so that the generations of hosts sharing the log are told apart.
    std::string session;
    std::string record;
    // The generate set's name, read at the start: an end met after the connection went reads
    // nothing more of the repository.
    std::string setName;
    HWND frameWindow = nullptr;
    int kind = 0;
    PxVQOptionSetPtr genSet;
    // The recovery file names of the reports it generates: "NAME" or "NAME<ASNAME>".
    std::vector<std::string> reportFiles;
    // The recovery record a restart, an install or a monitor goes on with, and its system.
    PxHandle recoveryHandle;
    PxVQSystemPtr system;
    // It claimed its generate set: no other generation of the set runs until it ends.
    bool claimed = false;
    // The recovery session a restart, an install or a monitor claimed: nobody lists, deletes or
    // restarts it meanwhile.
    PxVQRecoveryInfoPtr claimedSession{};
    // It was given the generation hold (the persistent lock) on its generate set, placed by
    // the module or taken over from the session it restarts, and lifts it when it ends.
    bool holdsSet = false;
    // Stopped unfinished, it keeps that hold for a restart (a report generation does not).
    bool keepsHoldForRestart = false;
    // The identity of that hold as the generation claimed its set; 0 when the module places
    // it after the claim (the system path) until the module names it (VqcNoteGenerationHold).
    std::int64_t holdId = 0;
    // The recovery sessions whose records named that hold as the generation claimed its set
    // (the one a restart goes on with apart): an interrupted generation's, whose hold a fresh
    // generation took over. The hold stays theirs should the generation's session go without
    // ending it; they name it no more once the generation leaves a record of its own or ends.
    std::vector<PxVQRecoveryInfoPtr> holdKeepers{};
};

std::mutex g_mutex;
std::map<unsigned long, Generation> g_generations;
std::vector<std::string> g_requests;
unsigned long g_lastNumber = 0;
bool g_failNextStart = false;
// The repository's failure that kept the last start from claiming what it runs on.
std::exception_ptr g_startFailure;
std::string g_logPath;
std::atomic<long> g_eventTexts{0};

// The generations that make a recovery record of their own: reports, system, system with
// reports and bundle.
bool MakesRecoveryRecord(int kind)
{
    return kind == VqcGenerateReports || kind == VqcGenerateSystem || kind == VqcGenerateSystemWithReports ||
           kind == VqcGenerateBundle;
}

// The generations the module places the generation hold on the generate set for.
bool PlacesGenerationHold(int kind)
{
    return kind == VqcGenerateSystem || kind == VqcGenerateSystemWithReports || kind == VqcGenerateBundle;
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
    if (generation.system)
        return generation.system;
    const PxVQConfigPtr config = generation.genSet ? generation.genSet->GetConfig() : PxVQConfigPtr();
    return config ? config->GetSystem() : PxVQSystemPtr();
}

// The identity of the generate set's generation hold; 0 when it has none.
std::int64_t StandingHoldId(const PxVQOptionSetPtr& genSet)
{
    const PxPersistentLockPtr lock = genSet->GetPersistentLock();
    return lock && lock->GetLockCount() > lock->GetManualLockCount() ? lock->GetHoldId() : 0;
}

// The identity of the hold the generation was given: the one it claimed its set under, else
// (placed after its claim) the set's.
std::int64_t HoldOf(const Generation& generation)
{
    return generation.holdId ? generation.holdId : StandingHoldId(generation.genSet);
}

// The recovery record a restart, an install or a monitor goes on with; null when there is none.
PxVQRecoveryInfoPtr RestartedSession(const Generation& generation)
{
    const PxVQSystemPtr system = SystemOf(generation);
    return system ? system->GetRecoveryInfo(generation.recoveryHandle) : PxVQRecoveryInfoPtr();
}

// A failed commit has ended the transaction already: aborting it again would only fail.
void AbortIfOpen(PxLink& link)
{
    try {
        if (link.IsInTransaction())
            link.AbortTransaction();
    } catch (const VqException& error) {
        std::fprintf(stderr, "VqClient: %s\n", error.what());
    }
}

// The sessions that kept the generation's hold are handed over from the transaction under way
// on: a Restart of one says that a later generation took its hold over. With `namedUntilLifted`
// (the hold's lift owed) they name the hold still, so that it is never left named by no one; once
// lifted it reads as gone to them. A session marked already keeps its mark.
void RecordHandedOver(const std::vector<PxVQRecoveryInfoPtr>& keepers, bool namedUntilLifted)
{
    for (const PxVQRecoveryInfoPtr& session : keepers) {
        if (!session->ObjectPresent())
            continue;
        if (!namedUntilLifted)
            session->SetHoldId(0);
        if (!session->GetHoldGone())
            session->SetHoldGone(PxVQRecoveryInfo::kHoldHandedOver);
    }
}

// What became of the recovery record of a generation that stopped.
enum class Recorded {
    Written,
    NoneMade, // its kind makes none (an install, a monitor)
    Lost,     // it could not be written, or the session a restart goes on with is gone
};

// A generation that stops before it finishes leaves a recovery record for its generate set,
// written as the session's user, with the flag that it holds the business segment's lock.
// A restart goes on with the record of the session it restarts: only its state changes.
// Stopped unfinished, the generation's record is the one that names its hold: the sessions
// that kept it name it no more, in the same transaction. `failure` says why a record was lost.
Recorded WriteRecoveryRecord(const Generation& generation, int state, std::string& failure)
{
    const PxVQSystemPtr system = SystemOf(generation);
    PxLink* link = generation.genSet ? generation.genSet->GetLink() : nullptr;
    const bool restart = generation.kind == VqcGenerateRestart;
    if (!system || !link || (!restart && !MakesRecoveryRecord(generation.kind)))
        return Recorded::NoneMade;
    try {
        link->BeginTransaction();
        if (state < kStateFinished)
            RecordHandedOver(generation.holdKeepers, false);
        if (restart) {
            const PxVQRecoveryInfoPtr session = system->GetRecoveryInfo(generation.recoveryHandle);
            if (session)
                session->SetCurrentState(state);
            link->CommitTransaction();
            if (session)
                return Recorded::Written;
            failure = "the recovery session it restarted is no longer in the repository.";
            return Recorded::Lost;
        }
        const PxVQRecoveryInfoPtr session = system->CreateRecoveryInfo(generation.genSet);
        session->setGenerateType(generation.kind);
        session->SetCurrentState(state);
        session->SetGenerationFlag(kSegmentLockHeld);
        if (PlacesGenerationHold(generation.kind)) {
            // The session names the hold it keeps for a restart, and carries it by that name alone.
            if (generation.holdsSet)
                session->SetHoldId(HoldOf(generation));
            else
                session->SetHoldGone(1);
        }
        session->SetUserId(vqclient::CurrentSettings().userName.c_str());
        session->setGenerateDate(_time64(nullptr));
        for (const std::string& file : generation.reportFiles)
            session->CreateRecoveryFileInfo(file.c_str());
        link->CommitTransaction();
        return Recorded::Written;
    } catch (const VqException& error) {
        AbortIfOpen(*link);
        failure = error.what();
        return Recorded::Lost;
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

// Whether the generate set's generation hold is the one the session names.
bool HoldsOwnHold(const Generation& generation, const PxVQRecoveryInfoPtr& session)
{
    return session->CarriesHoldOf(generation.genSet->GetPersistentLock());
}

// Whether the generation is given the hold on its generate set: a report, system,
// system-with-reports or bundle generation the user starts (a scripted report or bundle
// generation places none), a report session's restart, and a restart of another session whose
// own hold the set still carries, at any state (never another session's or another user's):
// a finished session's restart needs none, and lifts the one it still carries as it ends.
bool IsGivenHold(const Generation& generation, bool scripted)
{
    if (generation.kind == VqcGenerateReports || generation.kind == VqcGenerateBundle)
        return !scripted;
    if (generation.kind != VqcGenerateRestart)
        return PlacesGenerationHold(generation.kind);
    const PxVQRecoveryInfoPtr session = RestartedSession(generation);
    if (!session)
        return false;
    if (session->getGenerateType() == PxVQRecoveryInfo::kReportGenerate)
        return true;
    return PlacesGenerationHold(session->getGenerateType()) && HoldsOwnHold(generation, session);
}

// Whether the hold outlives the generation stopping unfinished: only a system,
// system-with-reports or bundle session is restarted under the hold it kept.
bool KeepsHoldForRestart(const Generation& generation)
{
    if (generation.kind != VqcGenerateRestart)
        return PlacesGenerationHold(generation.kind);
    const PxVQRecoveryInfoPtr session = RestartedSession(generation);
    return session && PlacesGenerationHold(session->getGenerateType());
}

// A restart lets go of its recovery session last, once the session reads as the generation
// left it (its state written, or the session deleted).
void ReleaseSessionClaim(const Generation& generation)
{
    if (!generation.claimedSession)
        return;
    try {
        generation.claimedSession->GiveBackGenerationClaim();
    } catch (const VqException& error) {
        std::fprintf(stderr, "VqClient: the recovery session is given back once the repository's locks take it: %s\n",
                     error.what());
    }
}

// Whether a recovery record keeps the generation's hold while it runs: the session a restart
// goes on with, when that one keeps its hold for a restart, or the interrupted generation's
// whose hold a fresh generation took over.
bool HoldKeptBySession(const Generation& generation)
{
    return generation.keepsHoldForRestart &&
           (generation.kind == VqcGenerateRestart || !generation.holdKeepers.empty());
}

// A hold that no recovery record keeps while the generation runs goes with its claim when the
// generation's session goes without ending it (a host killed, a lock connection cut): that of a
// fresh generation which placed it, and that of a restart whose session keeps none (a report
// session's). One a recovery record keeps stays with that record, which can be restarted.
bool HoldGoesWithClaim(const Generation& generation)
{
    return generation.holdsSet && !HoldKeptBySession(generation);
}

// Whether the generation still holds its claim on its generate set. A claim goes with its
// repository session (the session closed; on a server, its lock connection or the server
// lost), and another generation of the set may then run: the generation is over, and
// `reason` says why. The lock store is asked once, briefly, so that no step holds up the host:
// one that is busy or slow to answer takes nothing away, and is asked again at the generation's
// next step.
bool ClaimStillHeld(const Generation& generation, std::string& reason)
{
    if (!generation.claimed)
        return true;
    CString failure;
    try {
        if (generation.genSet->KeepsGenerationClaim(failure))
            return true;
    } catch (const VqException& error) {
        failure = error.what();
    }
    reason = failure.IsEmpty() ? "its claim on the generate set went with its repository session." : failure.str();
    return false;
}

// How a generation ends: the one place where its claim, its hold and the recovery session it
// restarts end together.
enum class Ending {
    Finished,    // its last event: the hold goes, a restart's recovery session too
    Cancelled,   // abandoned (CancelGenerate, the session closing): as finished, a hold taken over apart
    Interrupted, // stopped unfinished: its recovery record keeps the hold for a restart
    Stopped,     // stopped in a finished state (8 or more): the hold goes, the record stays
    NotStarted,  // refused at its start: the module lifts what it placed
};

// Lifts the generation's own hold (one lifted meanwhile, by the owner's Unlock, and placed again
// by another generation stays). A lift the lock store refuses is owed by the session, made as
// soon as the store takes it; answers whether the lift stands now.
bool LiftOwnHold(const Generation& generation)
{
    const std::int64_t hold = HoldOf(generation);
    try {
        generation.genSet->LiftGenerationHoldNamed(hold);
        return true;
    } catch (const VqException& error) {
        std::fprintf(stderr, "VqClient: the generate set's lock is lifted once the repository's locks take it: %s\n",
                     error.what());
        return false;
    }
}

// A restart that is over leaves nothing of the session it restarted. While the lift of the hold
// that session names is owed, its record stays, marked as ended and naming the hold until the
// lift is made: nobody lists, offers or restarts it, and Show Generate Status deletes it.
void EndRestartedSession(const PxVQRecoveryInfoPtr& session, bool liftOwed)
{
    if (liftOwed)
        session->SetHoldGone(PxVQRecoveryInfo::kRestartEnded);
    else
        session->DeleteObject();
}

// What the end of a generation leaves in the repository, in one transaction, whatever the lock
// store answered its lift: a finished generation is neither offered for a restart nor listed as
// incomplete, a cancelled restart has given back the hold a restart needs, and the sessions that
// kept a hold the generation lifts are handed over. What names the hold names it until its lift
// is made.
void RecordEnd(const Generation& generation, bool restartOver, bool holdLifts, bool liftOwed)
{
    PxLink* link = generation.genSet ? generation.genSet->GetLink() : nullptr;
    restartOver = restartOver && generation.kind == VqcGenerateRestart;
    holdLifts = holdLifts && !generation.holdKeepers.empty();
    if (!link || (!restartOver && !holdLifts))
        return;
    try {
        link->BeginTransaction();
        if (holdLifts)
            RecordHandedOver(generation.holdKeepers, liftOwed);
        if (const PxVQRecoveryInfoPtr session = restartOver ? RestartedSession(generation) : PxVQRecoveryInfoPtr())
            EndRestartedSession(session, liftOwed && HoldKeptBySession(generation));
        link->CommitTransaction();
    } catch (const VqException& error) {
        AbortIfOpen(*link);
        std::fprintf(stderr, "VqClient: cannot record the end of the generation: %s\n", error.what());
    }
}

// Gives the set's claim back, after the hold's lift; one the lock store refuses is owed by the
// session and given back as soon as the store takes it, with no step of the user's.
void GiveBackSetClaim(const Generation& generation)
{
    try {
        generation.genSet->GiveBackGenerationClaim();
    } catch (const VqException& error) {
        std::fprintf(stderr, "VqClient: the generate set is given back once the repository's locks take it: %s\n",
                     error.what());
    }
}

// A fresh generation that took an interrupted one's hold over and is cancelled (whoever or
// whatever cancelled it) gives the hold back to the sessions that name it still, which can be
// restarted: only its finish, or a stop in a finished state, lifts it.
bool GivesTakenHoldBack(const Generation& generation, Ending ending)
{
    return ending == Ending::Cancelled && generation.kind != VqcGenerateRestart && HoldKeptBySession(generation);
}

// Whether the generation's end lifts the hold it was given.
bool LiftsHoldAt(const Generation& generation, Ending ending)
{
    const bool ends = ending == Ending::Finished || ending == Ending::Cancelled || ending == Ending::Stopped;
    return ends && generation.holdsSet && !GivesTakenHoldBack(generation, ending);
}

// The generation ends: the hold goes unless a recovery record keeps it, a restart that is
// over leaves nothing of its session, and the claim goes last, so that a host that dies on
// the way leaves the set held by a claim whose hold goes with it, never a hold nothing shows.
// A generation whose claim went already touches nothing of its set: another generation of it
// may run (PxVQObject::ClaimForGeneration). A lift or give-back the lock store refuses is owed
// by the session and made as soon as the store takes it, the lift first; a read of the store
// that stays busy is tried again, each step done once.
void EndSetClaim(const Generation& generation, Ending ending)
{
    const bool liftsHold = LiftsHoldAt(generation, ending);
    bool holdToLift = liftsHold;
    bool liftOwed = false;
    const bool restartOver = ending == Ending::Finished || ending == Ending::Cancelled;
    bool recordToWrite = true;
    for (int tries = 1;; ++tries) {
        std::string lost;
        if (!generation.claimed || !ClaimStillHeld(generation, lost))
            return;
        try {
            if (holdToLift) {
                liftOwed = !LiftOwnHold(generation);
                holdToLift = false;
            }
            if (recordToWrite) {
                RecordEnd(generation, restartOver, liftsHold, liftOwed);
                recordToWrite = false;
            }
            GiveBackSetClaim(generation);
            return;
        } catch (const VqException& error) {
            if (tries == kGiveBackTries) {
                std::fprintf(stderr, "VqClient: cannot give back the generate set: %s\n", error.what());
                return;
            }
        }
    }
}

// The generation's end: its set's claim and hold, then a restart's recovery session, which it
// lets go of last.
void EndClaim(const Generation& generation, Ending ending)
{
    EndSetClaim(generation, ending);
    ReleaseSessionClaim(generation);
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
    AppendToLog("finish " + std::to_string(number) + found->second.session);
    EndClaim(found->second, Ending::Finished);
    g_generations.erase(found);
}

// What the user is told of a generation that stopped before it finished: why, then what is
// left of it.
std::string StoppedText(unsigned long number, const Generation& generation, const std::string& why)
{
    std::string text = "Generation " + std::to_string(number) + " of the Generate Set " + generation.setName +
                       " stopped before it finished: " + why;
    if (generation.kind == VqcGenerateRestart)
        text += "\nThe recovery session it restarted stays interrupted: Show Generate Status offers it for a restart.";
    else if (HoldKeptBySession(generation))
        text += "\nThe Generate Set's persistent lock stays with the generation before it that did not finish, whose"
                " lock it took over: Show Generate Status offers that one for a restart.";
    else if (HoldGoesWithClaim(generation))
        text += "\nIt left no recovery session, and the Generate Set's persistent lock goes with it: generate again.";
    else
        text += "\nIt left no recovery session: generate again.";
    return text;
}

// A generation that lost what it runs by (its claim, its connection, its recovery record) ends
// there and then: "interrupt N: WHY" is logged, what it still holds is given back as `ending`
// says (nothing without one), its last event goes to its window as at the end of any
// generation, and it is forgotten. Answers what the user is to be told.
std::string EndAsLost(std::map<unsigned long, Generation>::iterator found, const std::string& why,
                      const std::string& consequence, std::optional<Ending> ending)
{
    const std::string text = StoppedText(found->first, found->second, why + consequence);
    AppendToLog("interrupt " + std::to_string(found->first) + ": " + why + found->second.session);
    if (ending)
        EndClaim(found->second, *ending);
    PostEvent(found->second, kEventFinished, text.substr(0, text.find('\n')));
    g_generations.erase(found);
    return text;
}

// Stops the generation when its claim has gone; answers the text the user is to be told, empty
// while it holds its claim. It touches nothing of its set: another generation of it may run.
std::string StopIfClaimLost(unsigned long number)
{
    const auto found = g_generations.find(number);
    std::string reason;
    if (found == g_generations.end() || ClaimStillHeld(found->second, reason))
        return std::string();
    return EndAsLost(found, "the claim on the generate set was lost: " + reason,
                     "\nIts session no longer holds the Generate Set, so it goes no further beside another"
                     " generation of the set.",
                     std::nullopt);
}

// What the client tells the user itself, outside the client's lock (the box runs the window
// system's loop); nothing for an empty text.
void Tell(const std::string& text)
{
    if (!text.empty())
        ::MessageBox(nullptr, text.c_str(), kClientCaption, MB_OK | MB_ICONEXCLAMATION);
}

// Each step of a generation (progress, an interruption, a message to it) first checks its
// claim: one whose claim went stops there, and the user is told.
void StopAtStepIfClaimLost(unsigned long number)
{
    std::string text;
    {
        std::lock_guard lock(g_mutex);
        text = StopIfClaimLost(number);
    }
    Tell(text);
}

// The sessions whose records name the hold the generation is given, the one a restart goes on
// with apart.
std::vector<PxVQRecoveryInfoPtr> HoldKeepers(const Generation& generation)
{
    std::vector<PxVQRecoveryInfoPtr> keepers = PxVQRecoveryInfo::CarriersOfHold(generation.genSet);
    if (generation.kind == VqcGenerateRestart) {
        const PxVQRecoveryInfoPtr restarted = RestartedSession(generation);
        std::erase_if(keepers, [&](const PxVQRecoveryInfoPtr& session) {
            return restarted && session->IsSameOid(restarted);
        });
    }
    return keepers;
}

// What goes on with a recovery session: a restart, an install or a monitor.
bool GoesOnWithSession(int kind)
{
    return kind == VqcGenerateRestart || kind == VqcGenerateInstall || kind == VqcGenerateMonitor;
}

// A restart, an install or a monitor claims the recovery session it goes on with; false when
// another of them, or a deletion, holds it.
bool ClaimRecoverySession(Generation& generation)
{
    if (!GoesOnWithSession(generation.kind))
        return true;
    const PxVQRecoveryInfoPtr session = RestartedSession(generation);
    if (!session || !session->ClaimForGeneration())
        return false;
    generation.claimedSession = session;
    // Deleted just before its claim (a Delete claims it while it deletes): nothing to go on with.
    return session->ObjectPresent();
}

// What a start that does not start claimed is given back.
bool NotClaimed(Generation& generation)
{
    EndClaim(generation, Ending::NotStarted);
    generation.claimed = false;
    return false;
}

// Claims the request's generate set for the generation, and the recovery session a restart,
// an install or a monitor goes on with; false when another generation of the set runs, the
// session is in use, or the store fails a claim (a busy lock store, say), having given back
// what it claimed.
bool ClaimSet(Generation& generation, bool scripted)
{
    try {
        if (ClaimsGenerateSet(generation.kind) && generation.genSet) {
            generation.holdsSet = IsGivenHold(generation, scripted);
            generation.holdId = generation.holdsSet ? StandingHoldId(generation.genSet) : 0;
            generation.keepsHoldForRestart = KeepsHoldForRestart(generation);
            if (generation.holdsSet)
                generation.holdKeepers = HoldKeepers(generation);
            generation.claimed = generation.genSet->ClaimForGeneration(HoldGoesWithClaim(generation)) != FALSE;
            if (!generation.claimed)
                return false;
        }
        return ClaimRecoverySession(generation) || NotClaimed(generation);
    } catch (const VqException& error) {
        std::fprintf(stderr, "VqClient: cannot claim the generate set: %s\n", error.what());
        g_startFailure = std::current_exception();
        return NotClaimed(generation);
    }
}

} // namespace

unsigned long VqcStartGenerate(GenerateInfo& request)
{
    VqcControlWindow::Ensure();
    std::lock_guard lock(g_mutex);
    g_startFailure = nullptr;
    if (g_failNextStart) {
        g_failNextStart = false;
        return 0;
    }
    const unsigned long number = g_lastNumber + 1;
    Generation generation{SessionOf(request), RecordOf(number, request), NameOf(request.genSet),
                          request.frameWindow, request.kind, request.genSet, ReportFilesOf(request),
                          request.recoveryHandle, request.system};
    if (!ClaimSet(generation, request.clientContext != nullptr))
        return 0;
    // The record in the log is all this client makes of a request: one it cannot log is not
    // started.
    if (!AppendToLog(generation.record + generation.session)) {
        EndClaim(generation, Ending::NotStarted);
        return 0;
    }
    g_lastNumber = number;
    g_requests.push_back(generation.record);
    g_generations.emplace(number, std::move(generation));
    return number;
}

void VqcRethrowStartFailure()
{
    std::exception_ptr failure;
    {
        std::lock_guard lock(g_mutex);
        failure = g_startFailure;
    }
    if (failure)
        std::rethrow_exception(failure);
}

namespace {

// Ends the generation as cancelled; false for a number no generation has.
bool Cancel(unsigned long number, const char* reason)
{
    const auto found = g_generations.find(number);
    if (found == g_generations.end())
        return false;
    AppendToLog("cancel " + std::to_string(number) + ": " + reason + found->second.session);
    EndClaim(found->second, Ending::Cancelled);
    g_generations.erase(found);
    return true;
}

// The generation stopped and its recovery record says where: one that stops unfinished keeps
// its hold for a restart; one that stops finished, or a report generation, holds the set no
// longer.
void EndInterrupted(std::map<unsigned long, Generation>::iterator found, int state)
{
    const bool keepsHold = state < kStateFinished && found->second.keepsHoldForRestart;
    AppendToLog("interrupt " + std::to_string(found->first) + ": state " + std::to_string(state) +
                found->second.session);
    EndClaim(found->second, keepsHold ? Ending::Interrupted : Ending::Stopped);
    // Its last event, as at the end of any generation: whoever follows it learns that it ended.
    PostEvent(found->second, kEventFinished, "The generation was interrupted in state " + std::to_string(state) + ".");
    g_generations.erase(found);
}

// The generation stopped and could not record where (a refused write, the connection or the
// server lost on the way): it ends all the same, never left running with nothing to end it.
// What no record keeps goes: the hold of a fresh generation that placed it, its claim, a
// restart's claim on its session. A hold a record keeps stays with it (the session a restart
// goes on with, or the interrupted generation's whose hold a fresh one took over). A store that
// cannot be reached takes them back itself, as for a session that died.
std::string EndWithoutRecord(std::map<unsigned long, Generation>::iterator found, const std::string& failure)
{
    return EndAsLost(found, "its recovery record could not be written: " + failure, "",
                     HoldKeptBySession(found->second) ? Ending::Interrupted : Ending::Stopped);
}

} // namespace

void VqcNoteGenerationHold(unsigned long number, std::int64_t holdId)
{
    std::lock_guard lock(g_mutex);
    const auto found = g_generations.find(number);
    if (found != g_generations.end() && found->second.holdsSet && found->second.holdId == 0)
        found->second.holdId = holdId;
}

int CancelGenerate(unsigned long number, CString& reason)
{
    std::lock_guard lock(g_mutex);
    return Cancel(number, reason.GetString()) ? TRUE : FALSE;
}

BOOL PostMsgToMainThread(unsigned long number, UINT message, WPARAM wParam, LPARAM lParam)
{
    StopAtStepIfClaimLost(number);
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

CString VqcEndGenerationsWithoutClaim()
{
    std::vector<unsigned long> numbers;
    {
        std::lock_guard lock(g_mutex);
        for (const auto& [number, generation] : g_generations)
            numbers.push_back(number);
    }
    std::string told;
    for (const unsigned long number : numbers) {
        std::lock_guard lock(g_mutex);
        const std::string text = StopIfClaimLost(number);
        if (!text.empty())
            told += (told.empty() ? "" : "\n\n") + text;
    }
    return CString(told.c_str());
}

namespace vqclient {

long EventTextsNotTaken() { return g_eventTexts; }

int RunningGenerations()
{
    // Asked whether generations run (the session closing, say), the client first ends each one
    // whose claim went, as at its own next step: it runs no more, and the user is told.
    Tell(VqcEndGenerationsWithoutClaim().str());
    std::lock_guard lock(g_mutex);
    return static_cast<int>(g_generations.size());
}

void CancelRunningGenerations(const char* reason)
{
    std::lock_guard lock(g_mutex);
    while (!g_generations.empty())
        Cancel(g_generations.begin()->first, reason);
}

void ResetGenerations()
{
    std::lock_guard lock(g_mutex);
    g_generations.clear();
    g_requests.clear();
    g_lastNumber = 0;
    g_failNextStart = false;
    g_startFailure = nullptr;
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
    StopAtStepIfClaimLost(number);
    std::string told;
    {
        std::lock_guard lock(g_mutex);
        const auto found = g_generations.find(number);
        if (found == g_generations.end())
            return false;
        std::string failure;
        switch (WriteRecoveryRecord(found->second, state, failure)) {
        case Recorded::NoneMade:
            return false;
        case Recorded::Written:
            EndInterrupted(found, state);
            return true;
        case Recorded::Lost:
            told = EndWithoutRecord(found, failure);
            break;
        }
    }
    Tell(told);
    return false;
}

Played PlayProgress(unsigned long number, int code, const std::string& text)
{
    StopAtStepIfClaimLost(number);
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
