#include "model/VqsOptionNodeRegister.h"

#include "model/VqsModelNode.h"
#include "shell/VqsMsgBox.h"

#include <utility>

namespace {

const UINT IDS_OPTIONS_NOT_SUPPORTED = 61500;

struct VqsOptionNodeRecord {
    VqsOptionNodeFactory factory;
    VqsOptionNodeRecord* next;
};

VqsOptionNodeRecord* g_head = nullptr;

} // namespace

void VqsOptionNodeRegister::Register(VqsOptionNodeFactory factory) { g_head = new VqsOptionNodeRecord{factory, g_head}; }

VqsModelNode* VqsOptionNodeRegister::TryCreateNode(VqsModelNode* parent, const PxOptionsPtr& options,
                                                   bool& unsupported)
{
    unsupported = false;
    if (!options)
        return nullptr;
    for (VqsOptionNodeRecord* record = g_head; record; record = record->next) {
        if (VqsModelNode* node = record->factory(parent, options))
            return node;
    }
    unsupported = true;
    return nullptr;
}

VqsModelNode* VqsOptionNodeRegister::CreateNode(VqsModelNode* parent, const PxOptionsPtr& options)
{
    if (!options || !options->ObjectPresent())
        return nullptr;
    bool unsupported = false;
    VqsModelNode* node = TryCreateNode(parent, options, unsupported);
    if (unsupported)
        VqsMessageBoxId(IDS_OPTIONS_NOT_SUPPORTED);
    return node;
}

void VqsOptionNodeRegister::FreeAll()
{
    while (g_head)
        delete std::exchange(g_head, g_head->next);
}

int VqsOptionNodeRegister::Count()
{
    int count = 0;
    for (VqsOptionNodeRecord* record = g_head; record; record = record->next)
        ++count;
    return count;
}
