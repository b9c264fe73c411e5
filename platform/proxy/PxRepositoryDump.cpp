#include "proxy/PxRepositoryDump.h"

#include "proxy/PxLink.h"
#include "proxy/PxLinkCore.h"
#include "proxy/PxSession.h"
#include "proxy/PxSqlite.h"
#include "proxy/PxStore.h"

#include <sqlite3.h>

#include <cstdint>
#include <iomanip>
#include <sstream>
#include <string>
#include <unordered_map>
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

// Every read of the dump in one consistent view.
class Reading {
public:
    explicit Reading(PxStore& store) : m_store(store) { m_store.BeginReading(); }
    ~Reading() { m_store.EndReading(); }
    Reading(const Reading&) = delete;
    Reading& operator=(const Reading&) = delete;

private:
    PxStore& m_store;
};

// The roots in the order of their names.
constexpr const char* kRoots[] = {"PxLSEEnterprise", "PxVQEnterprise"};

class Dumper {
public:
    Dumper(PxStore& store, std::ostream& out) : m_store(store), m_out(out) {}

    void Roots()
    {
        std::vector<std::int64_t> oids;
        for (const char* className : kRoots) {
            std::int64_t oid = m_store.Root(className);
            if (!m_store.Present(oid))
                PX_THROW("Cannot read the repository: %1", PxStoreErrorReason(SQLITE_NOTADB));
            oids.push_back(oid);
        }
        const PxStoreContents roots = m_store.ContentsOf(oids);
        for (std::int64_t oid : oids)
            Object(oid, 0, roots);
    }

private:
    template <class List>
    static const List& Of(const std::unordered_map<std::int64_t, List>& lists, std::int64_t oid)
    {
        static const List none;
        auto found = lists.find(oid);
        return found == lists.end() ? none : found->second;
    }

    static std::string ClassOf(const PxStoreContents& contents, std::int64_t oid)
    {
        auto found = contents.classes.find(oid);
        return found == contents.classes.end() ? std::string("?") : found->second;
    }

    // Writes an object read into `read`; the members it owns are read together, one list
    // owner at a time, so that the dump holds no more than the lists on its way down.
    void Object(std::int64_t oid, int depth, const PxStoreContents& read)
    {
        m_shown.insert(oid);
        std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
        m_out << indent << "#" << oid << " " << ClassOf(read, oid) << "\n";
        for (const auto& [name, value] : Of(read.attributes, oid))
            m_out << indent << "  " << name << " = " << Shown(value) << "\n";
        const std::vector<PxMemberEntry>& entries = Of(read.entries, oid);
        const PxStoreContents members = ReadOwnedMembers(entries);
        std::string role;
        for (const PxMemberEntry& entry : entries) {
            if (entry.role != role) {
                role = entry.role;
                m_out << indent << "  " << role << ":\n";
            }
            if (entry.owning && !m_shown.count(entry.member))
                Object(entry.member, depth + 2, members);
            else
                m_out << indent << "    -> #" << entry.member << " " << ClassOf(read, entry.member) << "\n";
        }
    }

    PxStoreContents ReadOwnedMembers(const std::vector<PxMemberEntry>& entries)
    {
        std::vector<std::int64_t> owned;
        for (const PxMemberEntry& entry : entries)
            if (entry.owning && !m_shown.count(entry.member))
                owned.push_back(entry.member);
        return owned.empty() ? PxStoreContents() : m_store.ContentsOf(owned);
    }

    PxStore& m_store;
    std::ostream& m_out;
    std::unordered_set<std::int64_t> m_shown;
};

void Dump(PxStore& store, std::ostream& out)
{
    Reading reading(store);
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
    std::unique_ptr<PxStore> store = PxStore::Open(path, PxAccess::ReadOnly);
    Dump(*store, out);
}
