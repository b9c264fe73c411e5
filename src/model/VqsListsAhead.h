// Child lists of many nodes read together, ahead of the loads that want them: while the
// lists are held out to the model (VqsListsAheadScope), the load of a node's list takes it
// from here, once, instead of asking the repository for that one list.
#pragma once

#include "model/VqsSubsystemNumbering.h"
#include "proxy/PxObject.h"

#include <functional>
#include <memory>
#include <optional>
#include <typeindex>
#include <unordered_map>
#include <unordered_set>
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

    VqsListsAhead() = default;
    // Lists read again for a walk under locks (the paths of a Delete): every list the walk
    // loads is read from the store once, whether it was loaded before or not, and the first
    // list of a class of owners wanted reads the lists of every node of that class among
    // `held` with it.
    static VqsListsAhead ReadingAgain(std::vector<VqsModelNode*> held);

    // The list of each owner that has an object, as `read` reads them all together.
    void Read(List list, const std::vector<VqsModelNode*>& owners, const ListsOf& read);
    // The owner's list taken out; nothing when it was not read ahead.
    std::optional<std::vector<PxObjectPtr>> Take(List list, const VqsModelNode* owner);
    // The Ispec link that each profile link among the element links read ahead is placed
    // under (null for none), read together.
    void ReadComponentsOfProfiles();
    // The components of the profiles, when each was read ahead.
    std::optional<std::vector<PxObjectPtr>> ComponentsOf(const std::vector<PxObjectPtr>& profiles) const;
    // The subsystem numbers of the QSR Ispec records among the option records read ahead
    // of these option-set nodes, worked out together (the nodes' parents are their
    // configurations); none when the work fails, each node then works out its own.
    void WorkOutSubsystemNumbers(const std::vector<VqsModelNode*>& optionSets);
    const VqsSubsystemNumbering* SubsystemNumbers() const { return m_subsystemNumbers.get(); }
    // Whether the owner's list (its address) is to be read from the store now, when reading
    // again: the first time the walk wants it. Its class's lists are read ahead then.
    bool DueForReadAgain(VqsModelNode& owner, const void* list);

private:
    struct KeyHash {
        std::size_t operator()(const std::pair<List, const VqsModelNode*>& key) const noexcept;
    };

    std::unordered_map<std::pair<List, const VqsModelNode*>, std::vector<PxObjectPtr>, KeyHash> m_lists;
    std::unordered_map<const PxObject*, PxObjectPtr> m_components;
    std::unique_ptr<VqsSubsystemNumbering> m_subsystemNumbers;
    bool m_readingAgain = false;
    std::vector<VqsModelNode*> m_held;
    std::unordered_set<const void*> m_listsReadAgain;
    std::unordered_set<std::type_index> m_classesReadAgain;
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

// Whether the owner's list is read from the store by the load that wants it now, loaded or
// not, as a walk reading its lists again asks (VqsListsAhead::ReadingAgain).
bool VqsListDueForReadAgain(VqsModelNode& owner, const void* list);
// The node's list read ahead for the model's loads, taken out; nothing when there is none.
std::optional<std::vector<PxObjectPtr>> VqsTakeListAhead(const VqsModelNode& owner, VqsListsAhead::List list);
// The component of each profile link listed under the node, as read ahead, else read now.
// The subsystem numbers worked out ahead for the model's loads; null when there are none.
const VqsSubsystemNumbering* VqsSubsystemNumbersAhead(const VqsModelNode& owner);
std::vector<PxObjectPtr> VqsComponentsOfProfiles(const VqsModelNode& owner, const std::vector<PxObjectPtr>& profiles);
