// An option set (or generate set) of a configuration, with one option node per option
// record it holds.
#pragma once

#include "model/VqsModelNodeList.h"
#include "proxy/PxOptions.h"
#include "proxy/PxVQOptionSet.h"

class VqsModelNodeOption;

class VqsModelNodeOSet : public VqsModelNode {
public:
    VqsModelNodeOSet(VqsModelNode* parent, const PxVQOptionSetPtr& optionSet) : VqsModelNode(parent, optionSet) {}
    ~VqsModelNodeOSet() override;

    PxVQOptionSetPtr GetOptionSet() const { return VqsObjectOf<PxVQOptionSetPtr>(this); }
    // The set's short name while its object is present; empty otherwise.
    CString GetName() const;
    // Reads the set's option records in a load mode; a record no option node class takes
    // is reported once per build.
    void BuildOptionNodes(int mode);
    void GetOptionNodes(CObList& out) const;
    VqsModelNodeOption* FindOptionNode(const PxObjectPtr& options) const;

    void LoadChildren(int mode) override { BuildOptionNodes(mode); }
    void GetChildren(CObList& out) override { GetOptionNodes(out); }
    void RemoveChild(VqsModelNode* child) override;
    // Code 3 with the set alone.
    void NotifyViews() override;
    CString GetDescription() override;
    PxVQObjectPtr GetObject() const override { return Object(); }
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindOptionSet; }

private:
    // Held in the order the records were first read (the map order).
    VqsNodeList<VqsModelNodeOption> m_options;
};

class VqsModelNodeGenSet : public VqsModelNodeOSet {
public:
    VqsModelNodeGenSet(VqsModelNode* parent, const PxVQGenSetPtr& genSet) : VqsModelNodeOSet(parent, genSet) {}
    PxVQGenSetPtr GetGenSet() const { return VqsObjectOf<PxVQGenSetPtr>(this); }
};
