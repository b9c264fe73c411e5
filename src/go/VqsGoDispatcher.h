// The dispatcher of GO texts: one per process, made on first use.
#pragma once

#include "win/Object.h"

class VqsGoDispatcher : public CObject {
public:
    static VqsGoDispatcher* Instance();

    VqsGoDispatcher(const VqsGoDispatcher&) = delete;
    VqsGoDispatcher& operator=(const VqsGoDispatcher&) = delete;

private:
    VqsGoDispatcher() = default;
};
