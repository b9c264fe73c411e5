#include "proxy/PxStore.h"

#include "proxy/PxFileStore.h"
#include "proxy/PxServerStore.h"

#include <algorithm>
#include <unordered_set>

bool PxIsServerName(const std::string& name)
{
    return name.starts_with("postgresql://") || name.starts_with("postgres://");
}

std::unique_ptr<PxStore> PxStore::Open(const std::string& name, PxAccess access)
{
    if (PxIsServerName(name))
        return std::make_unique<PxServerStore>(name, access);
    return std::make_unique<PxFileStore>(name, access);
}

void PxStore::Create(const std::string& name)
{
    if (PxIsServerName(name))
        PxServerStore::Create(name);
    else
        PxFileStore::Create(name);
}

void PxStore::WatchReads()
{
    m_readEditions.clear();
    m_watching = true;
    ++m_readRun;
}

void PxStore::StopWatchingReads() noexcept
{
    m_readEditions.clear();
    m_watching = false;
    ++m_readRun;
}

void PxStore::NoteRead(std::int64_t oid)
{
    if (m_watching && !m_readEditions.contains(oid))
        m_readEditions.emplace(oid, StoredEdition(oid));
}

void PxStore::NoteReads(const std::vector<std::int64_t>& oids)
{
    if (!m_watching)
        return;
    std::vector<std::int64_t> unnoted;
    for (std::int64_t oid : oids)
        if (!m_readEditions.contains(oid))
            unnoted.push_back(oid);
    std::sort(unnoted.begin(), unnoted.end());
    unnoted.erase(std::unique(unnoted.begin(), unnoted.end()), unnoted.end());
    if (unnoted.empty())
        return;
    const std::unordered_map<std::int64_t, std::int64_t> stored = StoredEditions(unnoted);
    for (std::int64_t oid : unnoted) {
        const auto found = stored.find(oid);
        m_readEditions.emplace(oid, found == stored.end() ? 0 : found->second);
    }
}

void PxStore::NoteEdition(std::int64_t oid, std::int64_t edition)
{
    if (m_watching)
        m_readEditions.emplace(oid, edition);
}

std::unordered_map<std::int64_t, PxObjectRow> PxStore::PresentRows(const std::vector<std::int64_t>& oids)
{
    std::unordered_map<std::int64_t, PxObjectRow> present;
    for (PxObjectRow& row : Rows(oids)) {
        NoteEdition(row.oid, row.edition);
        if (row.present)
            present.emplace(row.oid, std::move(row));
    }
    // An object never stored has no edition.
    for (std::int64_t oid : oids)
        NoteEdition(oid, 0);
    return present;
}

std::unordered_map<std::int64_t, std::int64_t> PxStore::PresentEditions(const std::vector<std::int64_t>& oids)
{
    std::unordered_map<std::int64_t, std::int64_t> editions;
    for (const auto& [oid, row] : PresentRows(oids))
        editions.emplace(oid, row.edition);
    return editions;
}

std::unordered_map<std::int64_t, int> PxStore::CountMembersOf(const std::vector<std::int64_t>& owners,
                                                              const char* role)
{
    std::unordered_map<std::int64_t, int> counts;
    for (std::int64_t owner : owners)
        if (const int count = CountMembers(owner, role))
            counts.emplace(owner, count);
    return counts;
}

std::vector<PxMembersRead> PxStore::MembersOfLists(std::int64_t owner, const std::vector<PxListAsked>& lists)
{
    std::vector<PxMembersRead> reads;
    reads.reserve(lists.size());
    for (const PxListAsked& list : lists)
        reads.push_back(Members(owner, list.role.c_str(), list.withAttributes));
    return reads;
}

std::vector<std::vector<PxMemberRead>> PxStore::MembersOfOwners(const std::vector<std::int64_t>& owners,
                                                                 const char* role, bool withAttributes)
{
    std::vector<std::vector<PxMemberRead>> lists;
    lists.reserve(owners.size());
    for (std::int64_t owner : owners)
        lists.push_back(Members(owner, role, withAttributes).members);
    return lists;
}

std::vector<std::vector<std::vector<PxMemberRead>>> PxStore::MembersOfRoles(std::vector<PxRoleAsked>& asked)
{
    std::vector<std::vector<std::vector<PxMemberRead>>> roles;
    roles.reserve(asked.size());
    for (const PxRoleAsked& role : asked)
        roles.push_back(MembersOfOwners(role.owners, role.role.c_str(), role.withAttributes));
    return roles;
}

std::vector<std::vector<PxMemberRead>> PxStore::MembersWithAttributesOf(const std::vector<std::int64_t>& owners,
                                                                         const char* role)
{
    std::vector<std::vector<PxMemberRead>> lists;
    lists.reserve(owners.size());
    for (std::int64_t owner : owners)
        lists.push_back(MembersWithAttributes(owner, role));
    return lists;
}

bool PxStore::ReadsStillCurrent()
{
    if (m_readEditions.empty())
        return true;
    std::vector<std::int64_t> oids;
    oids.reserve(m_readEditions.size());
    for (const auto& [oid, edition] : m_readEditions)
        oids.push_back(oid);
    const std::unordered_map<std::int64_t, std::int64_t> stored = StoredEditions(oids);
    for (const auto& [oid, edition] : m_readEditions) {
        const auto found = stored.find(oid);
        if ((found == stored.end() ? 0 : found->second) != edition)
            return false;
    }
    return true;
}

PxStore::Deletion PxStore::DeleteAll(const std::vector<std::int64_t>& oids)
{
    Deletion all;
    std::unordered_set<std::int64_t> gone;
    for (std::int64_t oid : oids) {
        // An earlier one may have owned it.
        if (gone.count(oid))
            continue;
        Deletion deletion = Delete(oid);
        gone.insert(deletion.deleted.begin(), deletion.deleted.end());
        all.deleted.insert(all.deleted.end(), deletion.deleted.begin(), deletion.deleted.end());
        all.listsChanged.insert(all.listsChanged.end(), deletion.listsChanged.begin(), deletion.listsChanged.end());
    }
    Settle(all);
    return all;
}

PxStore::EditionStep PxStore::StepEdition(std::int64_t oid, std::optional<std::int64_t> expected)
{
    const std::optional<std::int64_t> edition = NextEdition(oid);
    if (!edition)
        return EditionStep::Gone;
    return expected && *edition == *expected + 1 ? EditionStep::SteppedFromExpected : EditionStep::Stepped;
}

std::unordered_map<std::int64_t, std::int64_t> PxStore::NextEditions(const std::vector<std::int64_t>& oids)
{
    std::unordered_map<std::int64_t, std::int64_t> editions;
    for (std::int64_t oid : oids)
        if (const std::optional<std::int64_t> edition = NextEdition(oid))
            editions.emplace(oid, *edition);
    return editions;
}

void PxStore::Settle(Deletion& deletion)
{
    const std::unordered_set<std::int64_t> deleted(deletion.deleted.begin(), deletion.deleted.end());
    std::erase_if(deletion.listsChanged, [&](std::int64_t owner) { return deleted.count(owner) != 0; });
    std::sort(deletion.listsChanged.begin(), deletion.listsChanged.end());
    deletion.listsChanged.erase(std::unique(deletion.listsChanged.begin(), deletion.listsChanged.end()),
                                deletion.listsChanged.end());
}
