// Child lists of many nodes read together, ahead of the loads that want them: while the
// lists are held out to the model (VqsListsAheadScope), the load of a node's list takes it
// from here, once, instead of asking the repository for that one list.
#pragma once

#include "proxy/PxObject.h"

#include <functional>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

class VqsModel;
class VqsModelNode;

class VqsListsAhead {
public:
    enum List {
        CurConfig,
        OldConfigs,
        BSLinks,
        OptionSets,
        ElementLinks,
        ReportGroups,
        Bundles,
        OptionRecords,
        RepAliases,
        IspecBundleData,
        HostPackData,
    };

    using ListsOf = std::function<std::vector<std::vector<PxObjectPtr>>(const std::vector<PxObjectPtr>&)>;

    // The list of each owner that has an object, as `read` reads them all together.
    void Read(List list, const std::vector<VqsModelNode*>& owners, const ListsOf& read);
    // The owner's list taken out; nothing when it was not read ahead.
    std::optional<std::vector<PxObjectPtr>> Take(List list, const VqsModelNode* owner);
    // The Ispec link that each profile link among the element links read ahead is placed
    // under (null for none), read together.
    void ReadComponentsOfProfiles();
    // The components of the profiles, when each was read ahead.
    std::optional<std::vector<PxObjectPtr>> ComponentsOf(const std::vector<PxObjectPtr>& profiles) const;

private:
    struct KeyHash {
        std::size_t operator()(const std::pair<List, const VqsModelNode*>& key) const noexcept;
    };

    std::unordered_map<std::pair<List, const VqsModelNode*>, std::vector<PxObjectPtr>, KeyHash> m_lists;
    std::unordered_map<const PxObject*, PxObjectPtr> m_components;
};

// Holds the lists out to the model for the loads it runs meanwhile.
class VqsListsAheadScope {
public:
    VqsListsAheadScope(VqsModel* model, VqsListsAhead& ahead);
    ~VqsListsAheadScope();
    VqsListsAheadScope(const VqsListsAheadScope&) = delete;
    VqsListsAheadScope& operator=(const VqsListsAheadScope&) = delete;

private:
    VqsModel* m_pModel;
    VqsListsAhead* m_pPrevious;
};

// The node's list read ahead for the model's loads, taken out; nothing when there is none.
std::optional<std::vector<PxObjectPtr>> VqsTakeListAhead(const VqsModelNode& owner, VqsListsAhead::List list);
// The component of each profile link listed under the node, as read ahead, else read now.
std::vector<PxObjectPtr> VqsComponentsOfProfiles(const VqsModelNode& owner, const std::vector<PxObjectPtr>& profiles);
