#include "proxy/PxRepositoryDump.h"

#include "proxy/PxLink.h"
#include "proxy/PxLinkCore.h"
#include "proxy/PxSession.h"
#include "proxy/PxSqlite.h"
#include "proxy/PxStore.h"

#include <sqlite3.h>

#include <algorithm>
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

// The ids of the objects written, a bit each: ids are given in rising order and few are left
// out, so the set takes about an eighth of a byte an object.
class WrittenIds {
public:
    void Add(std::int64_t oid)
    {
        const auto index = static_cast<std::size_t>(oid);
        if (index >= m_bits.size())
            m_bits.resize(index + 1);
        m_bits[index] = true;
    }
    bool Contains(std::int64_t oid) const
    {
        const auto index = static_cast<std::size_t>(oid);
        return oid >= 0 && index < m_bits.size() && m_bits[index];
    }

private:
    std::vector<bool> m_bits;
};

// The roots in the order of their names.
constexpr const char* kRoots[] = {"PxLSEEnterprise", "PxVQEnterprise"};

// Writes the objects in the order of their lists. Objects are read in batches of the next
// ones to be written that are known from the lists read so far, so that reads stay few and
// the dump holds a bounded number of objects, whatever the repository's size.
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
        Read(oids);
        for (std::int64_t oid : oids)
            Object(oid, 0);
    }

private:
    // Objects a read asks for, at the most.
    static constexpr std::size_t kBatch = 2000;
    // Of those, objects of the lists further out than the one being written.
    static constexpr std::size_t kAhead = 500;
    // Objects and list entries held, read and not written yet, beyond which no object of a
    // list further out is read ahead.
    static constexpr std::size_t kHeld = 20000;

    // The entries of an object being written, from the one being written on.
    struct Pending {
        const std::vector<PxMemberEntry>* entries;
        std::size_t next;
    };

    void Object(std::int64_t oid, int depth)
    {
        const PxObjectContents object = TakeRead(oid);
        m_shown.Add(oid);
        std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
        m_out << indent << "#" << oid << " " << object.className << "\n";
        for (const auto& [name, value] : object.attributes)
            m_out << indent << "  " << name << " = " << Shown(value) << "\n";
        m_pending.push_back({&object.entries, 0});
        std::string role;
        for (std::size_t index = 0; index < object.entries.size(); ++index) {
            const PxMemberEntry& entry = object.entries[index];
            m_pending.back().next = index;
            if (entry.role != role) {
                role = entry.role;
                m_out << indent << "  " << role << ":\n";
            }
            if (entry.owning && !m_shown.Contains(entry.member))
                Object(entry.member, depth + 2);
            else
                m_out << indent << "    -> #" << entry.member << " " << entry.memberClass << "\n";
        }
        m_pending.pop_back();
    }

    PxObjectContents TakeRead(std::int64_t oid)
    {
        if (!m_read.count(oid))
            ReadNext();
        auto found = m_read.find(oid);
        if (found == m_read.end())
            return {"?", {}, {}};
        PxObjectContents object = std::move(found->second);
        m_read.erase(found);
        m_held -= HeldSize(object);
        return object;
    }

    // Reads the next objects to be written that are not read yet, a full batch of them
    // whenever the lists read name that many, in the order of writing and without a gap, so
    // that everything held is written before anything read later but what it owns. Those of
    // the list being written come first, with what the objects held own; the lists further
    // out are written only after everything below, and their objects may own long lists: a
    // few of them are read ahead, and only while little is held, so that what is held does
    // not grow with the repository.
    void ReadNext()
    {
        Collected collected;
        for (auto frame = m_pending.rbegin(); frame != m_pending.rend(); ++frame) {
            const bool inner = frame == m_pending.rbegin();
            std::size_t ahead = kBatch;
            if (!inner)
                ahead = m_held < kHeld ? std::min(kAhead, kBatch - collected.wanted.size()) : 0;
            if (!CollectUnread(*frame->entries, frame->next, ahead, collected))
                break;
        }
        Read(collected.wanted);
    }

    struct Collected {
        std::vector<std::int64_t> wanted;
        std::unordered_set<std::int64_t> chosen;
    };

    // Collects the unread objects of the entries from `from` on, in the order of writing,
    // and through the objects read what they own: at most `ahead` of the entries' own.
    // Answers false where it stopped, at a full batch or at the first of the entries' own
    // past `ahead`.
    bool CollectUnread(const std::vector<PxMemberEntry>& entries, std::size_t from, std::size_t ahead,
                       Collected& collected) const
    {
        for (std::size_t index = from; index < entries.size(); ++index) {
            const PxMemberEntry& entry = entries[index];
            if (!entry.owning || m_shown.Contains(entry.member) || !collected.chosen.insert(entry.member).second)
                continue;
            auto read = m_read.find(entry.member);
            if (read != m_read.end()) {
                if (!CollectUnread(read->second.entries, 0, kBatch, collected))
                    return false;
                continue;
            }
            if (collected.wanted.size() == kBatch || ahead == 0)
                return false;
            collected.wanted.push_back(entry.member);
            --ahead;
        }
        return true;
    }

    void Read(const std::vector<std::int64_t>& oids)
    {
        for (auto& [oid, object] : m_store.ContentsOf(oids)) {
            m_held += HeldSize(object);
            m_read.emplace(oid, std::move(object));
        }
    }

    static std::size_t HeldSize(const PxObjectContents& object) { return 1 + object.entries.size(); }

    PxStore& m_store;
    std::ostream& m_out;
    WrittenIds m_shown;
    std::unordered_map<std::int64_t, PxObjectContents> m_read;
    std::size_t m_held = 0;
    std::vector<Pending> m_pending;
};

void Dump(PxStore& store, std::ostream& out)
{
    // Every read of the dump in one consistent view.
    const PxStoreReading reading(store);
    Dumper(store, out).Roots();
}

} // namespace

void PxRepositoryDump::Write(PxLink& link, std::ostream& out)
{
    std::shared_ptr<PxSession> session = link.m_core->Session();
    session->Read([&] { Dump(session->Store(), out); });
}

void PxRepositoryDump::WriteFile(const std::string& path, std::ostream& out)
{
    std::unique_ptr<PxStore> store = PxStore::Open(path, PxAccess::ReadOnly);
    Dump(*store, out);
}
