// The node of one option record of an option set: one class per record class that the
// option pages edit, each made by its factory in the option-node registry.
#pragma once

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

class VqsModelNodeOption : public VqsModelNode {
public:
    PxOptionsPtr GetOptions() const { return VqsObjectOf<PxOptionsPtr>(this); }
    PxVQObjectPtr GetObject() const override { return Object(); }
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindOption; }

    // Appends every pack the record names; the record classes that name packs override it.
    virtual void CollectPacks(VqsPackSpecList& packs);
    // Locks what must stay still while the record's packs are compared with the
    // enterprise's packs (and reads those again where the record names some); false after
    // 61624 when the repository fails.
    virtual bool LockForPackCollection(VqsLockBag& bag);

protected:
    VqsModelNodeOption(VqsModelNode* parent, const PxOptionsPtr& options) : VqsModelNode(parent, options) {}
};

// An option node of one record class.
template <class Options>
class VqsModelNodeOptionOf : public VqsModelNodeOption {
public:
    using OptionsPtr = PxPtr<Options>;
    VqsModelNodeOptionOf(VqsModelNode* parent, const OptionsPtr& options) : VqsModelNodeOption(parent, options) {}
};

#define VQS_OPTION_NODE(NodeClass, OptionsClass)                          \
    class NodeClass : public VqsModelNodeOptionOf<OptionsClass> {         \
    public:                                                               \
        using VqsModelNodeOptionOf<OptionsClass>::VqsModelNodeOptionOf; \
    }

VQS_OPTION_NODE(VqsModelNodeOptionNTBSeg, PxNTBSegOptions);
VQS_OPTION_NODE(VqsModelNodeOptionQSRBSeg, PxQSRBSegOptions);
VQS_OPTION_NODE(VqsModelNodeOptionTarskBSeg, PxTarskBSegOptions);
VQS_OPTION_NODE(VqsModelNodeOptionUnixBSeg, PxUnixBSegOptions);
VQS_OPTION_NODE(VqsModelNodeOptionNTEvent, PxNTEventOptions);
VQS_OPTION_NODE(VqsModelNodeOptionQSREvent, PxQSREventOptions);
VQS_OPTION_NODE(VqsModelNodeOptionTarskEvent, PxTarskEventOptions);
VQS_OPTION_NODE(VqsModelNodeOptionUnixEvent, PxUnixEventOptions);
VQS_OPTION_NODE(VqsModelNodeOptionNTComp, PxNTCompOptions);
VQS_OPTION_NODE(VqsModelNodeOptionQSRComp, PxQSRCompOptions);
VQS_OPTION_NODE(VqsModelNodeOptionTarskComp, PxTarskCompOptions);
VQS_OPTION_NODE(VqsModelNodeOptionUnixComp, PxUnixCompOptions);
VQS_OPTION_NODE(VqsModelNodeOptionNTReport, PxNTReportOptions);
VQS_OPTION_NODE(VqsModelNodeOptionQSRReport, PxQSRReportOptions);
VQS_OPTION_NODE(VqsModelNodeOptionTarskReport, PxTarskReportOptions);
VQS_OPTION_NODE(VqsModelNodeOptionUnixReport, PxUnixReportOptions);
VQS_OPTION_NODE(VqsModelNodeOptionGLG, PxGLGOptions);
VQS_OPTION_NODE(VqsModelNodeOptionNTProfile, PxNTProfileOptions);
VQS_OPTION_NODE(VqsModelNodeOptionQSRProfile, PxQSRProfileOptions);
VQS_OPTION_NODE(VqsModelNodeOptionTarskProfile, PxTarskProfileOptions);
VQS_OPTION_NODE(VqsModelNodeOptionUnixProfile, PxUnixProfileOptions);

#undef VQS_OPTION_NODE

// The registry's factory of an option node class: the node of a record of the class's
// record class (or of one derived from it), null for any other record.
template <class Node>
VqsModelNode* VqsMakeOptionNode(VqsModelNode* parent, const PxOptionsPtr& options)
{
    const typename Node::OptionsPtr typed(options);
    return typed ? new Node(parent, typed) : nullptr;
}
