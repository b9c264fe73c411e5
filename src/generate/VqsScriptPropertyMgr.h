// The generate properties of scripted generations, kept by the application for the
// automation object and the generation client.
#pragma once

#include "win/Object.h"

class VqsScriptPropertyMgr : public CObject {
public:
    VqsScriptPropertyMgr() = default;
    VqsScriptPropertyMgr(const VqsScriptPropertyMgr&) = delete;
    VqsScriptPropertyMgr& operator=(const VqsScriptPropertyMgr&) = delete;
};
