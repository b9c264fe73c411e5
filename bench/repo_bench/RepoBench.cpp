// The repository tool on the sample enterprise at growing sizes (2 systems x 3 business
// segments x N generated elements). The dump reads every object of a read-only file in one
// read transaction, so its rate (objects a second, wall time) stays flat as the repository
// grows.
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <ostream>
#include <stdexcept>
#include <streambuf>
#include <string>

namespace {

namespace fs = std::filesystem;

// The sample at each size asked for, built once, in a directory removed at the end.
class Samples {
public:
    Samples()
    {
        std::string pattern = (fs::temp_directory_path() / "reposample-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary directory");
        m_directory = pattern;
    }
    ~Samples()
    {
        std::error_code ignored;
        fs::remove_all(m_directory, ignored);
    }
    Samples(const Samples&) = delete;
    Samples& operator=(const Samples&) = delete;

    const std::string& Path(int elements)
    {
        auto found = m_paths.find(elements);
        if (found != m_paths.end())
            return found->second;
        std::string path = m_directory + "/sample-" + std::to_string(elements) + ".vqr";
        vqrepo::CreateRepositoryFile(path, vqrepo::SampleDescription({2, 3, elements}));
        return m_paths.emplace(elements, path).first->second;
    }

private:
    std::string m_directory;
    std::map<int, std::string> m_paths;
};

// Counts the lines of the dump and keeps none of its text.
class LineCounter : public std::streambuf {
public:
    long Lines() const { return m_lines; }

protected:
    int_type overflow(int_type c) override
    {
        if (c == '\n')
            ++m_lines;
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override
    {
        m_lines += std::count(text, text + count, '\n');
        return count;
    }

private:
    long m_lines = 0;
};

long PresentObjects(const std::string& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* count = nullptr;
    sqlite3_prepare_v2(db, "SELECT count(*) FROM px_object WHERE present", -1, &count, nullptr);
    long objects = sqlite3_step(count) == SQLITE_ROW ? static_cast<long>(sqlite3_column_int64(count, 0)) : 0;
    sqlite3_finalize(count);
    sqlite3_close(db);
    return objects;
}

void RepoDump(benchmark::State& state)
{
    static Samples samples;
    const std::string& path = samples.Path(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        LineCounter lines;
        std::ostream out(&lines);
        vqrepo::DumpRepositoryFile(path, out);
        benchmark::DoNotOptimize(lines.Lines());
    }
    state.counters["objects/s"] = benchmark::Counter(
        static_cast<double>(PresentObjects(path)) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(RepoDump)->Arg(500)->Arg(4000)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
