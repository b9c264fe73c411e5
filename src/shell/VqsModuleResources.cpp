#include "shell/VqsModuleResources.h"

#include "win/Messages.h"

namespace {

const ModuleString kStrings[] = {
    {61481, "Configuration error: no resource library is found."},
    {61482, "Internal error: Session starts with no resource specification."},
    {61483, "Internal error: Attempt to open another Repository session."},
    {61484, "Cannot open system link."},
    {61776, "Wrenfield Error"},
};

constexpr BYTE kKey = FVIRTKEY | FNOINVERT;
constexpr BYTE kCtrl = kKey | FCONTROL;
constexpr BYTE kShift = kKey | FSHIFT;

constexpr WORD Key(UINT virtualKey) { return static_cast<WORD>(virtualKey); }

// The system frame's table.
const ACCEL kSystemFrameKeys[] = {
    {kCtrl, 'O', 32825},           {kCtrl, 'S', 32775},      {kKey, Key(VK_ADD), 32795},
    {kKey, Key(VK_MULTIPLY), 32797}, {kKey, Key(VK_SUBTRACT), 32798}, {kKey, Key(VK_F9), 32826},
    {kKey, Key(VK_F1), 57670},     {kShift, Key(VK_F1), 57669},
};

// The host frame's table.
const ACCEL kHostFrameKeys[] = {
    {kCtrl, 'A', 57642},         {kCtrl, 'C', 57634},         {kCtrl, 'O', 32825},      {kCtrl, 'P', 57607},
    {kCtrl, 'S', 32775},         {kCtrl, 'V', 57637},         {kCtrl, 'X', 57635},      {kKey, Key(VK_DELETE), 57632},
    {kKey, Key(VK_INSERT), 32783}, {kKey, Key(VK_F1), 57670}, {kShift, Key(VK_F1), 57669}, {kKey, Key(VK_F9), 32826},
};

const ModuleAcceleratorTable kAccelerators[] = {
    {136, kSystemFrameKeys},
    {137, kHostFrameKeys},
};

const ModuleResources kResources{kStrings, kAccelerators};

} // namespace

const ModuleResources& VqsGetModuleResources() { return kResources; }
