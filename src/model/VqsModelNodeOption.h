// The node of one option record of an option set: one class per record class that the
// option pages edit, each made by its factory in the option-node registry.
#pragma once

#include "model/VqsBSPackReplacement.h"
#include "model/VqsModelNodeLocks.h"
#include "proxy/PxBSegOptions.h"
#include "proxy/PxCompOptions.h"
#include "proxy/PxEventOptions.h"
#include "proxy/PxGLGOptions.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxNTCompOptions.h"
#include "proxy/PxNTEventOptions.h"
#include "proxy/PxNTProfileOptions.h"
#include "proxy/PxNTReportOptions.h"
#include "proxy/PxQSRBSegOptions.h"
#include "proxy/PxQSRCompOptions.h"
#include "proxy/PxQSREventOptions.h"
#include "proxy/PxQSRProfileOptions.h"
#include "proxy/PxQSRReportOptions.h"
#include "proxy/PxTarskBSegOptions.h"
#include "proxy/PxTarskCompOptions.h"
#include "proxy/PxTarskEventOptions.h"
#include "proxy/PxTarskProfileOptions.h"
#include "proxy/PxTarskReportOptions.h"
#include "proxy/PxUnixBSegOptions.h"
#include "proxy/PxUnixCompOptions.h"
#include "proxy/PxUnixEventOptions.h"
#include "proxy/PxUnixProfileOptions.h"
#include "proxy/PxUnixReportOptions.h"
#include "proxy/PxVQOptions.h"

class VqsModelNodeLink;
class VqsModelNodeOSet;

class VqsModelNodeOption : public VqsModelNode {
public:
    PxOptionsPtr GetOptions() const { return VqsObjectOf<PxOptionsPtr>(this); }
    VqsModelNodeOSet* GetOptionSetNode() const;
    // The host type the record is for (PxOptions::GetOptionsType) and what it is for
    // (PxOptions::GetOptionsKind).
    int QueryOptionsType() const;
    int QueryOptionsKind() const;
    // Whether the record is the segment link's own, or one of its element links'.
    bool BelongsToBSSoftLink(const PxVQBSSoftLinkPtr& bsSoftLink) const;
    // The business-segment link of the record: its own soft link, or its element link's.
    PxVQBSSoftLinkPtr GetBSSoftLink() const;

    PxVQObjectPtr GetObject() const override { return Object(); }
    // With an element link as the target the option set is locked first.
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindOption; }

    // Appends the record's pack to the replacements when it was changed from its default;
    // component, report and profile options only.
    virtual void CollectUpdatedPacks(int unused, VqsBSPackReplacementList& replacements, VqsBSPackReplacement& record);
    // Appends every pack the record names; the record classes that name packs override it.
    virtual void CollectPacks(VqsPackSpecList& packs);
    // Sets the record's pack of the replacement's kind to the new name when it holds the
    // old one as its own value.
    virtual void ReplacePack(const VqsBSPackReplacement& replacement);
    // Appends the nodes whose options are edited together with these, for the link node
    // whose options are edited; 1.
    virtual int CollectEditNodes(CObList& nodes, VqsModelNodeLink* linkNode);
    // Locks what must stay still while the record's packs are compared with the
    // enterprise's packs (and reads those again where the record names some); false after
    // 61624 when the repository fails.
    virtual bool LockForPackCollection(VqsLockBag& bag);

protected:
    VqsModelNodeOption(VqsModelNode* parent, const PxOptionsPtr& options) : VqsModelNode(parent, options) {}
    // The option nodes of the set whose records are the link's own.
    void AppendOptionNodesOf(CObList& nodes, const PxVQSoftLinkPtr& link);
};

// The options of a business segment: the link node edited is the whole group.
class VqsModelNodeOptionBSeg : public VqsModelNodeOption {
public:
    PxBSegOptionsPtr GetBSegOptions() const { return VqsObjectOf<PxBSegOptionsPtr>(this); }
    int CollectEditNodes(CObList& nodes, VqsModelNodeLink* linkNode) override;

protected:
    using VqsModelNodeOption::VqsModelNodeOption;
};

// The options of an Ispec are edited with those of its business segment.
class VqsModelNodeOptionIspec : public VqsModelNodeOption {
public:
    PxIspecOptionsPtr GetIspecOptions() const { return VqsObjectOf<PxIspecOptionsPtr>(this); }
    int CollectEditNodes(CObList& nodes, VqsModelNodeLink* linkNode) override;

protected:
    using VqsModelNodeOption::VqsModelNodeOption;
    // As the Ispec kinds, after the segment's link node (the QSR pages show both).
    int CollectEditNodesWithSegment(CObList& nodes, VqsModelNodeLink* linkNode);
};

class VqsModelNodeOptionEvent : public VqsModelNodeOptionIspec {
protected:
    using VqsModelNodeOptionIspec::VqsModelNodeOptionIspec;
};

class VqsModelNodeOptionComp : public VqsModelNodeOptionIspec {
public:
    PxCompOptionsPtr GetCompOptions() const { return VqsObjectOf<PxCompOptionsPtr>(this); }
    void CollectUpdatedPacks(int unused, VqsBSPackReplacementList& replacements, VqsBSPackReplacement& record) override;
    void ReplacePack(const VqsBSPackReplacement& replacement) override;

protected:
    using VqsModelNodeOptionIspec::VqsModelNodeOptionIspec;
};

class VqsModelNodeOptionReport : public VqsModelNodeOption {
public:
    PxReportOptionsPtr GetReportOptions() const { return VqsObjectOf<PxReportOptionsPtr>(this); }
    void CollectUpdatedPacks(int unused, VqsBSPackReplacementList& replacements, VqsBSPackReplacement& record) override;
    void CollectPacks(VqsPackSpecList& packs) override;
    void ReplacePack(const VqsBSPackReplacement& replacement) override;
    int CollectEditNodes(CObList& nodes, VqsModelNodeLink* linkNode) override;

protected:
    using VqsModelNodeOption::VqsModelNodeOption;
};

class VqsModelNodeOptionGLG : public VqsModelNodeOption {
public:
    using OptionsPtr = PxGLGOptionsPtr;
    VqsModelNodeOptionGLG(VqsModelNode* parent, const PxGLGOptionsPtr& options) : VqsModelNodeOption(parent, options) {}
    PxGLGOptionsPtr GetGLGOptions() const { return VqsObjectOf<PxGLGOptionsPtr>(this); }
    int CollectEditNodes(CObList& nodes, VqsModelNodeLink* linkNode) override;
};

class VqsModelNodeOptionProfile : public VqsModelNodeOption {
public:
    PxProfileOptionsPtr GetProfileOptions() const { return VqsObjectOf<PxProfileOptionsPtr>(this); }
    void CollectUpdatedPacks(int unused, VqsBSPackReplacementList& replacements, VqsBSPackReplacement& record) override;
    void ReplacePack(const VqsBSPackReplacement& replacement) override;
    int CollectEditNodes(CObList& nodes, VqsModelNodeLink* linkNode) override;

protected:
    using VqsModelNodeOption::VqsModelNodeOption;
};

// An option node of one record class, on the node class of the record's element kind.
template <class Options, class Base = VqsModelNodeOption>
class VqsModelNodeOptionOf : public Base {
public:
    using OptionsPtr = PxPtr<Options>;
    VqsModelNodeOptionOf(VqsModelNode* parent, const OptionsPtr& options) : Base(parent, options) {}
    OptionsPtr GetTypedOptions() const { return VqsObjectOf<OptionsPtr>(this); }
};

#define VQS_OPTION_NODE(NodeClass, Base, OptionsClass)                              \
    class NodeClass : public VqsModelNodeOptionOf<OptionsClass, Base> {             \
    public:                                                                         \
        using VqsModelNodeOptionOf<OptionsClass, Base>::VqsModelNodeOptionOf;       \
    }
#define VQS_PACK_OPTION_NODE(NodeClass, Base, OptionsClass)                         \
    class NodeClass : public VqsModelNodeOptionOf<OptionsClass, Base> {             \
    public:                                                                         \
        using VqsModelNodeOptionOf<OptionsClass, Base>::VqsModelNodeOptionOf;       \
        void CollectPacks(VqsPackSpecList& packs) override;                         \
    }

VQS_PACK_OPTION_NODE(VqsModelNodeOptionNTBSeg, VqsModelNodeOptionBSeg, PxNTBSegOptions);
VQS_PACK_OPTION_NODE(VqsModelNodeOptionQSRBSeg, VqsModelNodeOptionBSeg, PxQSRBSegOptions);
VQS_PACK_OPTION_NODE(VqsModelNodeOptionTarskBSeg, VqsModelNodeOptionBSeg, PxTarskBSegOptions);
VQS_PACK_OPTION_NODE(VqsModelNodeOptionUnixBSeg, VqsModelNodeOptionBSeg, PxUnixBSegOptions);
VQS_OPTION_NODE(VqsModelNodeOptionNTEvent, VqsModelNodeOptionEvent, PxNTEventOptions);
VQS_OPTION_NODE(VqsModelNodeOptionTarskEvent, VqsModelNodeOptionEvent, PxTarskEventOptions);
VQS_OPTION_NODE(VqsModelNodeOptionUnixEvent, VqsModelNodeOptionEvent, PxUnixEventOptions);
VQS_PACK_OPTION_NODE(VqsModelNodeOptionNTComp, VqsModelNodeOptionComp, PxNTCompOptions);
VQS_PACK_OPTION_NODE(VqsModelNodeOptionTarskComp, VqsModelNodeOptionComp, PxTarskCompOptions);
VQS_PACK_OPTION_NODE(VqsModelNodeOptionUnixComp, VqsModelNodeOptionComp, PxUnixCompOptions);
VQS_OPTION_NODE(VqsModelNodeOptionNTReport, VqsModelNodeOptionReport, PxNTReportOptions);
VQS_OPTION_NODE(VqsModelNodeOptionQSRReport, VqsModelNodeOptionReport, PxQSRReportOptions);
VQS_OPTION_NODE(VqsModelNodeOptionTarskReport, VqsModelNodeOptionReport, PxTarskReportOptions);
VQS_OPTION_NODE(VqsModelNodeOptionUnixReport, VqsModelNodeOptionReport, PxUnixReportOptions);
VQS_PACK_OPTION_NODE(VqsModelNodeOptionNTProfile, VqsModelNodeOptionProfile, PxNTProfileOptions);
VQS_PACK_OPTION_NODE(VqsModelNodeOptionQSRProfile, VqsModelNodeOptionProfile, PxQSRProfileOptions);
VQS_PACK_OPTION_NODE(VqsModelNodeOptionTarskProfile, VqsModelNodeOptionProfile, PxTarskProfileOptions);
VQS_PACK_OPTION_NODE(VqsModelNodeOptionUnixProfile, VqsModelNodeOptionProfile, PxUnixProfileOptions);

#undef VQS_OPTION_NODE
#undef VQS_PACK_OPTION_NODE

// The QSR pages of an event or a component show the segment's options too.
class VqsModelNodeOptionQSREvent : public VqsModelNodeOptionOf<PxQSREventOptions, VqsModelNodeOptionEvent> {
public:
    using VqsModelNodeOptionOf<PxQSREventOptions, VqsModelNodeOptionEvent>::VqsModelNodeOptionOf;
    int CollectEditNodes(CObList& nodes, VqsModelNodeLink* linkNode) override;
};

class VqsModelNodeOptionQSRComp : public VqsModelNodeOptionOf<PxQSRCompOptions, VqsModelNodeOptionComp> {
public:
    using VqsModelNodeOptionOf<PxQSRCompOptions, VqsModelNodeOptionComp>::VqsModelNodeOptionOf;
    void CollectPacks(VqsPackSpecList& packs) override;
    int CollectEditNodes(CObList& nodes, VqsModelNodeLink* linkNode) override;
};

// The registry's factory of an option node class: the node of a record of the class's
// record class (or of one derived from it), null for any other record.
template <class Node>
VqsModelNode* VqsMakeOptionNode(VqsModelNode* parent, const PxOptionsPtr& options)
{
    const typename Node::OptionsPtr typed(options);
    return typed ? new Node(parent, typed) : nullptr;
}
