#include "model/VqsListsAhead.h"

#include "model/VqsModel.h"
#include "model/VqsModelNode.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/VqException.h"

#include <typeinfo>

std::size_t VqsListsAhead::KeyHash::operator()(const std::pair<List, const VqsModelNode*>& key) const noexcept
{
    return std::hash<const VqsModelNode*>()(key.second) ^ static_cast<std::size_t>(key.first);
}

void VqsListsAhead::Read(List list, const std::vector<VqsModelNode*>& owners, const ListsOf& read)
{
    std::vector<const VqsModelNode*> asked;
    std::vector<PxObjectPtr> objects;
    for (const VqsModelNode* owner : owners) {
        if (const PxVQObjectPtr object = owner->GetObject()) {
            asked.push_back(owner);
            objects.push_back(object);
        }
    }
    if (objects.empty())
        return;
    std::vector<std::vector<PxObjectPtr>> lists = read(objects);
    for (std::size_t index = 0; index < asked.size(); ++index)
        m_lists[{list, asked[index]}] = std::move(lists.at(index));
}

std::optional<std::vector<PxObjectPtr>> VqsListsAhead::Take(List list, const VqsModelNode* owner)
{
    const auto found = m_lists.find({list, owner});
    if (found == m_lists.end())
        return std::nullopt;
    std::vector<PxObjectPtr> members = std::move(found->second);
    m_lists.erase(found);
    return members;
}

void VqsListsAhead::ReadComponentsOfProfiles()
{
    std::vector<PxObjectPtr> profiles;
    for (const auto& [key, members] : m_lists) {
        if (key.first != ElementLinks)
            continue;
        for (const PxObjectPtr& member : members)
            if (member && PxVQProfileSoftLinkPtr{member})
                profiles.push_back(member);
    }
    if (profiles.empty())
        return;
    const std::vector<PxObjectPtr> components = PxVQProfileSoftLink::ComponentsOf(profiles);
    for (std::size_t index = 0; index < profiles.size(); ++index)
        m_components[profiles[index].get()] = components[index];
}

std::optional<std::vector<PxObjectPtr>> VqsListsAhead::ComponentsOf(const std::vector<PxObjectPtr>& profiles) const
{
    std::vector<PxObjectPtr> components;
    components.reserve(profiles.size());
    for (const PxObjectPtr& profile : profiles) {
        const auto found = m_components.find(profile.get());
        if (found == m_components.end())
            return std::nullopt;
        components.push_back(found->second);
    }
    return components;
}

void VqsListsAhead::WorkOutSubsystemNumbers(const std::vector<VqsModelNode*>& optionSets)
{
    std::vector<PxObjectPtr> configs;
    std::vector<std::vector<PxObjectPtr>> records;
    for (const VqsModelNode* optionSet : optionSets) {
        const VqsModelNode* config = optionSet->GetParent();
        const auto read = m_lists.find({OptionRecords, optionSet});
        if (config && config->GetObject() && read != m_lists.end()) {
            configs.push_back(config->GetObject());
            records.push_back(read->second);
        }
    }
    auto numbers = std::make_unique<VqsSubsystemNumbering>(PxVQGenSetPtr());
    try {
        numbers->WorkOut(configs, records);
    } catch (const VqReportableException&) {
        return;
    }
    m_subsystemNumbers = std::move(numbers);
}

VqsListsAhead VqsListsAhead::ReadingAgain(std::vector<VqsModelNode*> held)
{
    VqsListsAhead lists;
    lists.m_readingAgain = true;
    lists.m_held = std::move(held);
    return lists;
}

bool VqsListsAhead::DueForReadAgain(VqsModelNode& owner, const void* list)
{
    if (!m_readingAgain || !m_listsReadAgain.insert(list).second)
        return false;
    const std::type_index ownerClass(typeid(owner));
    if (m_classesReadAgain.insert(ownerClass).second) {
        std::vector<VqsModelNode*> peers{&owner};
        for (VqsModelNode* node : m_held) {
            if (node != &owner && std::type_index(typeid(*node)) == ownerClass)
                peers.push_back(node);
        }
        owner.ReadChildListsAhead(peers, *this);
    }
    return true;
}

VqsListsAheadScope::VqsListsAheadScope(VqsModel* model, VqsListsAhead& ahead)
    : m_pModel(model), m_pPrevious(model ? model->ExchangeListsAhead(&ahead) : nullptr)
{
}

VqsListsAheadScope::~VqsListsAheadScope()
{
    if (m_pModel)
        m_pModel->ExchangeListsAhead(m_pPrevious);
}

bool VqsListDueForReadAgain(VqsModelNode& owner, const void* list)
{
    const VqsModel* model = owner.GetModel();
    VqsListsAhead* ahead = model ? model->GetListsAhead() : nullptr;
    return ahead && ahead->DueForReadAgain(owner, list);
}

std::optional<std::vector<PxObjectPtr>> VqsTakeListAhead(const VqsModelNode& owner, VqsListsAhead::List list)
{
    const VqsModel* model = owner.GetModel();
    VqsListsAhead* ahead = model ? model->GetListsAhead() : nullptr;
    return ahead ? ahead->Take(list, &owner) : std::nullopt;
}

const VqsSubsystemNumbering* VqsSubsystemNumbersAhead(const VqsModelNode& owner)
{
    const VqsModel* model = owner.GetModel();
    const VqsListsAhead* ahead = model ? model->GetListsAhead() : nullptr;
    return ahead ? ahead->SubsystemNumbers() : nullptr;
}

std::vector<PxObjectPtr> VqsComponentsOfProfiles(const VqsModelNode& owner, const std::vector<PxObjectPtr>& profiles)
{
    const VqsModel* model = owner.GetModel();
    const VqsListsAhead* ahead = model ? model->GetListsAhead() : nullptr;
    if (ahead) {
        if (std::optional<std::vector<PxObjectPtr>> components = ahead->ComponentsOf(profiles))
            return *components;
    }
    return PxVQProfileSoftLink::ComponentsOf(profiles);
}
