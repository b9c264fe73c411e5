// What the growth benchmarks share: the started module, repositories described in JSON and
// made once (on a file in a kept temporary folder, or in a fresh database of the suite's
// PostgreSQL test server), sessions on them, and a reporter that ends the run with the
// ratio of each benchmark's time at a size to its time at the size before (wall clock,
// processor time: on a busy machine the second tells more, and the server's processor time
// where a benchmark measures it). A step that grows linearly shows the sizes' ratio.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

class VqsSysApp;

namespace vqgrowth {

// The repository of the description under the name in the kept folder, made first if it is
// not there yet.
std::string FileRepository(const std::string& name, const std::string& json);
// A copy of a file repository that a benchmark may change, with nothing a run left beside it.
std::string FreshCopy(const std::string& source);
// A fresh database of the test server holding the description.
std::string ServerRepository(const std::string& json);
// A fresh database of the test server holding what the repository's database holds; no
// session may be open on that one.
std::string ServerCopy(const std::string& uri);
// The database made for the name in this run, made first if there is none yet.
std::string KeptServerRepository(const std::string& name, const std::string& json);
// The repository of the description kept under the name, on the test server or on a file.
std::string KeptRepository(const std::string& name, const std::string& json, bool server);
// The sample with that many systems (ten segments, their systems in turn), made once a run on
// the test server or kept on a file.
std::string SampleSystems(int systems, bool server);
// The same over that many segments.
std::string SampleSystemsOver(int segments, int systems, bool server);
// The sample with that many systems, all on one segment of ten elements, made once a run on
// the test server or kept on a file.
std::string OneSegmentSystems(int systems, bool server);
// The long name of the system at that place (1 on) in the tree order of such a sample: the
// systems stand in the order of their names, "Sample system 1" on.
std::string SampleSystemAt(int systems, int place);
// The number the query answers on a connection of its own to the repository's database; the
// same once every other connection to that database has ended.
std::int64_t NumberOf(const std::string& uri, const char* sql);
std::int64_t NumberOnceAlone(const std::string& uri, const char* sql);
// The write transactions the server began so far (its transaction counter).
std::int64_t ServerTransactions(const std::string& uri);
// The buffers the server has touched (found in its cache or read) for the repository's
// database so far, once every other connection to it has ended: a connection's counts reach
// the server's statistics by its end at the latest.
std::int64_t ServerBuffers(const std::string& uri);
// The member rows the server read by scanning its table whole so far, likewise.
std::int64_t MemberRowsReadThrough(const std::string& uri);
// Takes the server's statistics of every table of the repository's database.
void Analyze(const std::string& uri);
// Vacuums every table of the repository's database, its statistics left as they were.
void Vacuum(const std::string& uri);
// The repository as an earlier build left it: its key columns without estimates of their own,
// and the server's statistics taken while a few owners held nearly every member row (one
// holds four times as many as the repository's, in a list of an object that is not there,
// kept; the statistics say there are three owners).
void TakeEarlierBuildsStatistics(const std::string& uri);
// The same while the lock tables hold that many rows of one session that is not there (locks,
// places in line and persistent locks on objects the repository does not have), which stay.
void AnalyzeWhileAnotherSessionHoldsLocks(const std::string& uri, int locks);

// Runs the step; answers how far the process's resident memory rose above where it stood
// before it, at the highest (bytes). Free heap is given back to the system first, so that
// what earlier runs left behind does not hide a rise.
std::int64_t PeakMemoryRise(const std::function<void()>& step);
// The process's resident memory (bytes), free heap given back to the system first.
std::int64_t ResidentMemory();

// The started module; a session on the repository opened (one at a time).
VqsSysApp& OpenSession(const std::string& repository);
void CloseSession();
// Closes the session and ends the module, when it was started.
void EndModule();

// Names of generated elements: the prefix and the number, six digits wide.
std::string Numbered(const char* prefix, int index);
// The elements of a description: reports R000000 on, and the aliases of them a report group lists.
std::string ReportElements(int reports);
std::string ReportAliases(int reports);
// Ispecs I000000 on (usage B), and their names as a list of a bundle.
std::string IspecElements(int ispecs);
std::string IspecNames(int ispecs);
// SYS1 with one segment, BIG, of these elements, the generate set NTGEN and, after it, these
// further entries of the system (`"bundles": [...]` and the like; none when empty).
std::string OneSystemDescription(const std::string& elements, const std::string& systemEntries);
// SYS1 with one segment, BIG, of that many reports and Ispecs, ten report groups naming
// every report and ten bundles naming every Ispec.
std::string GroupsAndBundlesDescription(int members);
// SYS1 with one segment, BIG, of that many reports, and the generate set NTGEN.
std::string ReportsDescription(int reports);
// The kept repository of that description, on the test server or on a file.
std::string ReportsRepository(int reports, bool server);

// The console report, followed by the growth ratios.
class GrowthReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    struct Times {
        double real = 0;
        double cpu = 0;
        double server = 0;
    };
    std::map<std::string, std::map<std::int64_t, Times>> m_times;
};

} // namespace vqgrowth
