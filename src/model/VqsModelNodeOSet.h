// An option set (or generate set) of a configuration, with one option node per option
// record it holds.
#pragma once

#include "model/VqsBSPackReplacement.h"
#include "model/VqsMapObjToPtr.h"
#include "model/VqsModelNodeLocks.h"
#include "model/VqsModelNodeOption.h"
#include "proxy/PxOptions.h"
#include "proxy/PxVQOptionSet.h"

#include <memory>

class VqsSubsystemNumbering;

class VqsModelNodeOSet : public VqsModelNode {
public:
    VqsModelNodeOSet(VqsModelNode* parent, const PxVQOptionSetPtr& optionSet) : VqsModelNode(parent, optionSet) {}
    ~VqsModelNodeOSet() override;

    PxVQOptionSetPtr GetOptionSet() const { return VqsObjectOf<PxVQOptionSetPtr>(this); }
    // The set's short name while its object is present; empty otherwise.
    CString GetName() const;
    bool IsGenSet() const;
    // Reads the set's option records in a load mode; a record no option node class takes
    // is reported once per build. Inside a repository transaction the QSR options of
    // Ispecs get their subsystem numbers, from the template generate set when one is given.
    void BuildOptionNodes(int mode, const PxVQGenSetPtr& templateSet = PxVQGenSetPtr());
    void GetOptionNodes(CObList& out) const;
    VqsModelNodeOption* FindOptionNode(const PxObjectPtr& options) const;
    // The record's node, made (announced when `notify`) when absent; null for a record no
    // option node class takes (61500).
    VqsModelNodeOption* CreateOptionNode(const PxOptionsPtr& options, bool notify);
    bool AreOptionNodesLoaded() const { return m_options.loaded != 0; }

    // The packs the options name: of every record, or of the segment's records alone.
    void CollectPacks(VqsPackSpecList& packs, const PxVQBSSoftLinkPtr& bsSoftLink);
    // Hands each element record of a segment the replacements of its segment.
    void ApplyPackReplacements(const VqsBSPackReplacementList& replacements);
    // The updated packs of the segment's element records.
    void CollectElementPacks(int unused, VqsBSPackReplacementList& replacements, const PxVQBSSoftLinkPtr& bsSoftLink);
    // Deletes the set; the links whose only updated options were in it are cleared, or
    // deleted when no longer in use. False when nothing was deleted.
    bool DeleteNode();

    void LoadChildren(int mode) override { BuildOptionNodes(mode); }
    void ReadChildListsAhead(const std::vector<VqsModelNode*>& peers, VqsListsAhead& ahead) const override;
    void GetChildren(CObList& out) override { GetOptionNodes(out); }
    void RemoveChild(VqsModelNode* child) override;
    // Code 3 with the set alone.
    void NotifyViews() override;
    CString GetDescription() override;
    PxVQObjectPtr GetObject() const override { return Object(); }
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindOptionSet; }

private:
    std::unique_ptr<VqsSubsystemNumbering> WorkOutSubsystemNumbers(const PxTypedList<PxOptionsPtr>& records,
                                                                   const PxVQGenSetPtr& templateSet) const;
    void DropVanishedOptionNodes(const PxTypedList<PxOptionsPtr>& records);

    // Walked in the order the records were first read.
    VqsMapObjToPtr<PxOptionsPtr, VqsModelNodeOption> m_options;
};

class VqsModelNodeGenSet : public VqsModelNodeOSet {
public:
    VqsModelNodeGenSet(VqsModelNode* parent, const PxVQGenSetPtr& genSet) : VqsModelNodeOSet(parent, genSet) {}
    PxVQGenSetPtr GetGenSet() const { return VqsObjectOf<PxVQGenSetPtr>(this); }
};
