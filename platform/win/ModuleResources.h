// Resources compiled into the module itself, consulted where the resource library has
// none: its accelerator tables and the texts it may show before a library is loaded.
#pragma once

#include "win/Types.h"

#include <span>

class CString;

// Accelerator flags.
constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FNOINVERT = 0x02;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

struct ACCEL {
    BYTE fVirt;
    WORD key;
    WORD cmd;
};

struct ModuleString {
    UINT id;
    const char* text;
};

struct ModuleAcceleratorTable {
    UINT id;
    std::span<const ACCEL> entries;
};

struct ModuleResources {
    std::span<const ModuleString> strings;
    std::span<const ModuleAcceleratorTable> accelerators;
};

namespace vqres {

// Installs the module's own resources (nullptr: none); the caller keeps them alive.
// Also makes the string loader consult them.
void SetModuleResources(const ModuleResources* resources);
const char* FindModuleString(UINT id);
const ModuleAcceleratorTable* FindModuleAccelerators(UINT id);

// The string loader: the installed resource library's text, else the module's own.
BOOL LoadResourceString(UINT id, CString& out);

} // namespace vqres
