#include "proxy/VqcGuidCompare.h"

#include "proxy/PxLSEFormObject.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxLSERevisionId.h"
#include "proxy/PxLSEStructure.h"
#include "proxy/PxVQElementSoftLink.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

namespace {

// The lists of an element's revision identifiers, in the order a link keeps them: its own
// revision, a form object's four part revisions, an Ispec's teach revision.
std::vector<const char*> RevisionRoles(const PxLSEElementPtr& element)
{
    std::vector<const char*> roles{PxLSEStructure::kRevision};
    if (const PxLSEFormObjectPtr form{element})
        roles.insert(roles.end(), {PxLSEStructure::kGraphicalRevision, PxLSEStructure::kCharacterRevision,
                                   PxLSEStructure::kDataItemRevision, PxLSEStructure::kDbRevision});
    if (const PxLSEIspecPtr ispec{element})
        roles.push_back(PxLSEStructure::kTeachRevision);
    return roles;
}

void AppendGuid(std::vector<BYTE>& bytes, const PxLSERevisionIdPtr& revision)
{
    if (!revision)
        return;
    const GUID guid = revision->GetGuid();
    const auto* first = reinterpret_cast<const BYTE*>(&guid);
    bytes.insert(bytes.end(), first, first + sizeof(guid));
}

// The revision bytes of each element, each list read for all the elements that have it at once.
std::vector<std::vector<BYTE>> RevisionBytes(const std::vector<PxLSEElementPtr>& elements)
{
    std::vector<std::vector<const char*>> roles;
    std::vector<const char*> asked;
    for (const PxLSEElementPtr& element : elements) {
        roles.push_back(element ? RevisionRoles(element) : std::vector<const char*>());
        for (const char* role : roles.back())
            if (std::find(asked.begin(), asked.end(), role) == asked.end())
                asked.push_back(role);
    }
    // The first member of each element's list of each role.
    std::unordered_map<std::string, std::vector<PxLSERevisionIdPtr>> firsts;
    for (const char* role : asked) {
        std::vector<PxObjectPtr> owners;
        std::vector<std::size_t> at;
        for (std::size_t index = 0; index < elements.size(); ++index)
            if (std::find(roles[index].begin(), roles[index].end(), role) != roles[index].end()) {
                owners.push_back(elements[index]);
                at.push_back(index);
            }
        const std::vector<std::vector<PxObjectPtr>> members = PxObject::MembersOf(owners, role);
        std::vector<PxLSERevisionIdPtr>& first = firsts[role];
        first.resize(elements.size());
        for (std::size_t k = 0; k < at.size(); ++k)
            if (!members[k].empty())
                first[at[k]] = PxLSERevisionIdPtr(members[k].front());
    }
    std::vector<std::vector<BYTE>> bytes(elements.size());
    for (std::size_t index = 0; index < elements.size(); ++index)
        for (const char* role : roles[index])
            AppendGuid(bytes[index], firsts[role][index]);
    return bytes;
}

} // namespace

std::vector<int> VqcGuidCompareAll(const std::vector<PxLSEElementPtr>& designs,
                                   const std::vector<PxVQElementSoftLinkPtr>& links)
{
    const std::vector<std::vector<BYTE>> current = RevisionBytes(designs);
    std::vector<int> answers;
    answers.reserve(designs.size());
    for (std::size_t index = 0; index < designs.size(); ++index) {
        if (!designs[index] || !links[index]) {
            answers.push_back(1);
            continue;
        }
        const std::vector<BYTE> kept = links[index]->GetGuidBlob();
        const std::vector<BYTE>& now = current[index];
        answers.push_back(now.empty() || kept.size() != now.size() ||
                                  std::memcmp(kept.data(), now.data(), kept.size()) != 0
                              ? 1
                              : 0);
    }
    return answers;
}

int VqcGuidCompare(const PxLSEObjectPtr& design, const PxVQElementSoftLinkPtr& link)
{
    return VqcGuidCompareAll({PxLSEElementPtr(design)}, {link}).front();
}
