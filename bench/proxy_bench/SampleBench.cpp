#include "SampleBench.h"

#include "RawSqlite.h"

#include "proxy/PxOptions.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQSystem.h"
#include "repo/RepoFile.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <vector>

namespace {

namespace fs = std::filesystem;

vqrepo::SampleScale g_scale{2, 3, 100};
long g_written = 0;
long g_read = 0;

struct ObjectRow {
    std::int64_t oid;
    std::string className;
    std::int64_t created;
    std::int64_t edition;
};

struct AttributeRow {
    std::int64_t oid;
    std::string name;
    int type;
    std::int64_t number;
    std::string bytes;
};

struct MemberRow {
    std::int64_t owner;
    std::string role;
    std::int64_t seq;
    std::int64_t member;
    int owning;
};

// A directory with the sample built once, and the rows it holds.
class SampleFiles {
public:
    SampleFiles()
    {
        std::string pattern = (fs::temp_directory_path() / "pxsample-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary directory");
        m_directory = pattern;
        m_sample = Path("sample.vqr");
        vqrepo::CreateRepositoryFile(m_sample, vqrepo::SampleDescription(g_scale));
        ReadRows();
    }
    ~SampleFiles()
    {
        std::error_code ignored;
        fs::remove_all(m_directory, ignored);
    }

    std::string Path(const std::string& name) const { return m_directory + "/" + name; }
    // A new file name in the directory, each time another one.
    std::string Fresh(const char* stem)
    {
        std::string path = Path(stem + std::to_string(++m_files) + ".vqr");
        return path;
    }
    void Remove(const std::string& path) const
    {
        std::error_code ignored;
        for (const char* suffix : {"", "-wal", "-shm", "-locks", "-locks-wal", "-locks-shm"})
            fs::remove(path + suffix, ignored);
    }

    const std::string& Sample() const { return m_sample; }
    std::vector<ObjectRow> objects;
    std::vector<AttributeRow> attributes;
    std::vector<MemberRow> members;

private:
    void ReadRows()
    {
        Raw raw(m_sample);
        sqlite3_stmt* rows = raw.Statement("SELECT oid, class, created, edition FROM px_object WHERE oid > 2");
        while (sqlite3_step(rows) == SQLITE_ROW)
            objects.push_back({sqlite3_column_int64(rows, 0),
                               reinterpret_cast<const char*>(sqlite3_column_text(rows, 1)),
                               sqlite3_column_int64(rows, 2), sqlite3_column_int64(rows, 3)});
        sqlite3_reset(rows);
        sqlite3_stmt* values = raw.Statement("SELECT oid, name, value FROM px_attribute");
        while (sqlite3_step(values) == SQLITE_ROW) {
            AttributeRow row{sqlite3_column_int64(values, 0),
                             reinterpret_cast<const char*>(sqlite3_column_text(values, 1)),
                             sqlite3_column_type(values, 2), sqlite3_column_int64(values, 2), {}};
            if (row.type == SQLITE_TEXT || row.type == SQLITE_BLOB)
                row.bytes.assign(static_cast<const char*>(sqlite3_column_blob(values, 2)),
                                 static_cast<std::size_t>(sqlite3_column_bytes(values, 2)));
            attributes.push_back(std::move(row));
        }
        sqlite3_reset(values);
        sqlite3_stmt* lists = raw.Statement("SELECT owner, role, seq, member, owning FROM px_member");
        while (sqlite3_step(lists) == SQLITE_ROW)
            members.push_back({sqlite3_column_int64(lists, 0), reinterpret_cast<const char*>(sqlite3_column_text(lists, 1)),
                               sqlite3_column_int64(lists, 2), sqlite3_column_int64(lists, 3),
                               sqlite3_column_int(lists, 4)});
        sqlite3_reset(lists);
    }

    std::string m_directory;
    std::string m_sample;
    int m_files = 0;
};

SampleFiles& Files()
{
    static SampleFiles files;
    return files;
}

void SampleBuild_Proxy(benchmark::State& state)
{
    SampleFiles& files = Files();
    vqrepo::RepoDescription description = vqrepo::SampleDescription(g_scale);
    for (auto _ : state) {
        std::string path = files.Fresh("proxy");
        vqrepo::CreateRepositoryFile(path, description);
        state.PauseTiming();
        files.Remove(path);
        state.ResumeTiming();
    }
    g_written = static_cast<long>(files.objects.size());
    state.counters["objects/s"] =
        benchmark::Counter(static_cast<double>(files.objects.size()) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

void SampleBuild_Raw(benchmark::State& state)
{
    SampleFiles& files = Files();
    for (auto _ : state) {
        std::string path = files.Fresh("raw");
        PxLink::CreateRepository(path.c_str());
        {
            Raw raw(path);
            sqlite3_stmt* object =
                raw.Statement("INSERT INTO px_object(oid, class, created, edition, present) VALUES(?1, ?2, ?3, ?4, 1)");
            sqlite3_stmt* attribute = raw.Statement("INSERT INTO px_attribute(oid, name, value) VALUES(?1, ?2, ?3)");
            sqlite3_stmt* member =
                raw.Statement("INSERT INTO px_member(owner, role, seq, member, owning) VALUES(?1, ?2, ?3, ?4, ?5)");
            raw.Execute("BEGIN IMMEDIATE");
            for (const ObjectRow& row : files.objects) {
                sqlite3_bind_int64(object, 1, row.oid);
                sqlite3_bind_text(object, 2, row.className.c_str(), -1, SQLITE_STATIC);
                sqlite3_bind_int64(object, 3, row.created);
                sqlite3_bind_int64(object, 4, row.edition);
                raw.Run(object);
            }
            for (const AttributeRow& row : files.attributes) {
                sqlite3_bind_int64(attribute, 1, row.oid);
                sqlite3_bind_text(attribute, 2, row.name.c_str(), -1, SQLITE_STATIC);
                if (row.type == SQLITE_INTEGER)
                    sqlite3_bind_int64(attribute, 3, row.number);
                else if (row.type == SQLITE_TEXT)
                    sqlite3_bind_text(attribute, 3, row.bytes.data(), static_cast<int>(row.bytes.size()), SQLITE_STATIC);
                else if (row.type == SQLITE_BLOB)
                    sqlite3_bind_blob(attribute, 3, row.bytes.data(), static_cast<int>(row.bytes.size()), SQLITE_STATIC);
                else
                    sqlite3_bind_null(attribute, 3);
                raw.Run(attribute);
            }
            for (const MemberRow& row : files.members) {
                sqlite3_bind_int64(member, 1, row.owner);
                sqlite3_bind_text(member, 2, row.role.c_str(), -1, SQLITE_STATIC);
                sqlite3_bind_int64(member, 3, row.seq);
                sqlite3_bind_int64(member, 4, row.member);
                sqlite3_bind_int(member, 5, row.owning);
                raw.Run(member);
            }
            raw.Execute("COMMIT");
        }
        state.PauseTiming();
        files.Remove(path);
        state.ResumeTiming();
    }
    state.counters["objects/s"] =
        benchmark::Counter(static_cast<double>(files.objects.size()) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

// Reads an object's attributes; counts it.
long Visit(const PxObjectPtr& object)
{
    benchmark::DoNotOptimize(object->GetAttributeText("name"));
    return 1;
}

void SampleRead_Proxy(benchmark::State& state)
{
    PxVQLink link;
    link.AttachSession(Files().Sample().c_str(), "bench", nullptr);
    PxVQEnterprisePtr enterprise = link.GetLVQEnterprise();
    long visited = 0;
    for (auto _ : state) {
        link.ClearAllBuffers();
        visited = 0;
        PxTypedList<PxVQSystemPtr> systems;
        enterprise->GetListOfSystems(systems);
        for (POSITION s = systems.GetHeadPosition(); s;) {
            PxVQSystemPtr system = systems.GetNext(s);
            visited += Visit(system);
            PxVQCurConfigPtr config = system->GetCurConfig();
            visited += Visit(config);
            PxTypedList<PxVQBSSoftLinkPtr> segments;
            config->GetListOfBSSoftLinks(segments);
            for (POSITION b = segments.GetHeadPosition(); b;) {
                PxVQBSSoftLinkPtr segment = segments.GetNext(b);
                visited += Visit(segment);
                PxTypedList<PxVQElementSoftLinkPtr> elements;
                segment->GetListOfElementSoftLinks(elements);
                for (POSITION e = elements.GetHeadPosition(); e;) {
                    PxVQElementSoftLinkPtr element = elements.GetNext(e);
                    visited += Visit(element);
                    PxTypedList<PxOptionsPtr> records;
                    element->GetAllOptions(records);
                    for (POSITION r = records.GetHeadPosition(); r;)
                        visited += Visit(records.GetNext(r));
                }
            }
        }
    }
    g_read = visited;
    state.counters["objects/s"] = benchmark::Counter(static_cast<double>(visited) * static_cast<double>(state.iterations()),
                                                     benchmark::Counter::kIsRate);
}

class RawReader {
public:
    explicit RawReader(const std::string& path)
        : m_raw(path),
          m_members(m_raw.Statement("SELECT o.oid FROM px_member m JOIN px_object o ON o.oid = m.member"
                                    " WHERE m.owner = ?1 AND m.role = ?2 AND o.present ORDER BY m.seq")),
          m_attributes(m_raw.Statement("SELECT name, value FROM px_attribute WHERE oid = ?1"))
    {
    }

    std::vector<std::int64_t> Members(std::int64_t owner, const char* role)
    {
        std::vector<std::int64_t> oids;
        sqlite3_bind_int64(m_members, 1, owner);
        sqlite3_bind_text(m_members, 2, role, -1, SQLITE_STATIC);
        while (sqlite3_step(m_members) == SQLITE_ROW)
            oids.push_back(sqlite3_column_int64(m_members, 0));
        sqlite3_reset(m_members);
        return oids;
    }

    long Visit(std::int64_t oid)
    {
        std::size_t bytes = 0;
        sqlite3_bind_int64(m_attributes, 1, oid);
        while (sqlite3_step(m_attributes) == SQLITE_ROW)
            bytes += static_cast<std::size_t>(sqlite3_column_bytes(m_attributes, 1));
        sqlite3_reset(m_attributes);
        benchmark::DoNotOptimize(bytes);
        return 1;
    }

private:
    Raw m_raw;
    sqlite3_stmt* m_members;
    sqlite3_stmt* m_attributes;
};

void SampleRead_Raw(benchmark::State& state)
{
    RawReader raw(Files().Sample());
    long visited = 0;
    for (auto _ : state) {
        visited = 0;
        for (std::int64_t system : raw.Members(1, "systems")) {
            visited += raw.Visit(system);
            for (std::int64_t config : raw.Members(system, "curConfig")) {
                visited += raw.Visit(config);
                for (std::int64_t segment : raw.Members(config, "bsSoftLinks")) {
                    visited += raw.Visit(segment);
                    for (std::int64_t element : raw.Members(segment, "elementSoftLinks")) {
                        visited += raw.Visit(element);
                        for (std::int64_t record : raw.Members(element, "options"))
                            visited += raw.Visit(record);
                    }
                }
            }
        }
    }
    state.counters["objects/s"] = benchmark::Counter(static_cast<double>(visited) * static_cast<double>(state.iterations()),
                                                     benchmark::Counter::kIsRate);
}

} // namespace

// Wall-clock time, for the objects per second too: building is mostly waiting for the disk.
BENCHMARK(SampleBuild_Proxy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SampleBuild_Raw)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SampleRead_Proxy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SampleRead_Raw)->Unit(benchmark::kMillisecond)->UseRealTime();

void SetSampleScale(const vqrepo::SampleScale& scale) { g_scale = scale; }

long SampleObjectsWritten() { return g_written; }

long SampleObjectsRead() { return g_read; }
