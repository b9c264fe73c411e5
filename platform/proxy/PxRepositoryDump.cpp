#include "proxy/PxRepositoryDump.h"

#include "proxy/PxLink.h"
#include "proxy/PxLinkCore.h"
#include "proxy/PxSession.h"
#include "proxy/PxStore.h"

#include <sqlite3.h>

#include <cstdint>
#include <iomanip>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

std::string Quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            std::ostringstream escape;
            escape << "\\x" << std::hex << std::setw(2) << std::setfill('0') << static_cast<int>(byte);
            out += escape.str();
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string Hex(const std::string& bytes)
{
    std::ostringstream out;
    out << "x'" << std::hex << std::setfill('0');
    for (char c : bytes)
        out << std::setw(2) << static_cast<int>(static_cast<unsigned char>(c));
    out << "'";
    return out.str();
}

std::string Shown(const PxValue& value)
{
    switch (value.type) {
    case PxValue::Null:
        return "null";
    case PxValue::Int:
        return std::to_string(value.number);
    case PxValue::Text:
        return Quoted(value.bytes);
    case PxValue::Blob:
        return Hex(value.bytes);
    }
    return {};
}

// Every read of the dump in one read transaction, unless the connection is in a
// transaction already.
class ReadTransaction {
public:
    explicit ReadTransaction(PxDatabase& db) : m_db(db), m_began(!db.InTransaction())
    {
        if (m_began)
            m_db.Execute("BEGIN", pxwhat::Begin);
    }
    ~ReadTransaction()
    {
        if (!m_began)
            return;
        try {
            m_db.Execute("COMMIT", pxwhat::Commit);
        } catch (...) {
            // A read transaction holds nothing to keep; the connection ends it at close.
        }
    }
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

private:
    PxDatabase& m_db;
    bool m_began;
};

// The roots in the order of their names.
constexpr const char* kRoots[] = {"PxLSEEnterprise", "PxVQEnterprise"};

class Dumper {
public:
    Dumper(PxStore& store, std::ostream& out) : m_store(store), m_db(store.Database()), m_out(out) {}

    void Roots()
    {
        std::vector<std::int64_t> oids;
        for (const char* className : kRoots) {
            std::int64_t oid = m_store.Root(className);
            if (!m_store.Present(oid))
                m_db.Fail(SQLITE_NOTADB, pxwhat::Read);
            oids.push_back(oid);
        }
        for (std::int64_t oid : oids)
            Object(oid, 0);
    }

private:
    struct Entry {
        std::string role;
        std::int64_t member;
        bool owning;
    };

    std::string ClassOf(std::int64_t oid)
    {
        PxQuery row(m_db, "SELECT class FROM px_object WHERE oid = ?1", pxwhat::Read);
        return row.Bind(1, oid).Step() ? row.Text(0) : std::string("?");
    }

    void Object(std::int64_t oid, int depth)
    {
        m_shown.insert(oid);
        std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
        m_out << indent << "#" << oid << " " << ClassOf(oid) << "\n";
        {
            PxQuery attributes(m_db, "SELECT name, value FROM px_attribute WHERE oid = ?1 ORDER BY name",
                               pxwhat::Read);
            attributes.Bind(1, oid);
            while (attributes.Step())
                m_out << indent << "  " << attributes.Text(0) << " = " << Shown(attributes.Value(1)) << "\n";
        }
        std::vector<Entry> entries;
        {
            PxQuery members(m_db, "SELECT role, member, owning FROM px_member WHERE owner = ?1 ORDER BY role, seq",
                            pxwhat::Read);
            members.Bind(1, oid);
            while (members.Step())
                entries.push_back({members.Text(0), members.Int(1), members.Int(2) != 0});
        }
        std::string role;
        for (const Entry& entry : entries) {
            if (entry.role != role) {
                role = entry.role;
                m_out << indent << "  " << role << ":\n";
            }
            if (entry.owning && !m_shown.count(entry.member))
                Object(entry.member, depth + 2);
            else
                m_out << indent << "    -> #" << entry.member << " " << ClassOf(entry.member) << "\n";
        }
    }

    PxStore& m_store;
    PxDatabase& m_db;
    std::ostream& m_out;
    std::unordered_set<std::int64_t> m_shown;
};

void Dump(PxStore& store, std::ostream& out)
{
    ReadTransaction transaction(store.Database());
    Dumper(store, out).Roots();
}

} // namespace

void PxRepositoryDump::Write(PxLink& link, std::ostream& out)
{
    std::shared_ptr<PxSession> session = link.m_core->Session();
    auto guard = session->Guard();
    Dump(session->Store(), out);
}

void PxRepositoryDump::WriteFile(const std::string& path, std::ostream& out)
{
    PxStore store(path, PxAccess::ReadOnly);
    Dump(store, out);
}
