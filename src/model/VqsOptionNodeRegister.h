// The option-node registry: every option node class registers a factory when the module
// starts; an option-set node asks the registry to build the node of a record without
// knowing the classes. The last factory registered is tried first.
#pragma once

#include "proxy/PxOptions.h"
#include "win/Object.h"

class VqsModelNode;

// Builds the node of a record of its class (or of a class derived from it); null for a
// record of another class.
using VqsOptionNodeFactory = VqsModelNode* (*)(VqsModelNode* parent, const PxOptionsPtr& options);

class VqsOptionNodeRegister : public CObject {
public:
    explicit VqsOptionNodeRegister(VqsOptionNodeFactory factory) { Register(factory); }

    // Puts the factory at the head of the registry.
    static void Register(VqsOptionNodeFactory factory);
    // The node of the record, or null: silently for a null or vanished record; with 61500
    // "These options currently are not supported." when no factory takes it.
    static VqsModelNode* CreateNode(VqsModelNode* parent, const PxOptionsPtr& options);
    // The same without the message, for a record just read with its list (so not asked
    // again whether it is still there): `unsupported` tells that no factory took it.
    static VqsModelNode* TryCreateNode(VqsModelNode* parent, const PxOptionsPtr& options, bool& unsupported);
    // Empties the registry.
    static void FreeAll();
    static int Count();
};
