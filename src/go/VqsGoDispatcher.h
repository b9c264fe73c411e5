// The dispatcher of GO texts: one per process, made on first use.
#pragma once

#include "win/Object.h"

class VqsGoDispatcher : public CObject {
public:
    static VqsGoDispatcher* Instance();

    VqsGoDispatcher(const VqsGoDispatcher&) = delete;
    VqsGoDispatcher& operator=(const VqsGoDispatcher&) = delete;

    // Runs a GO text from the host: 0 when no GO spec accepts the text (nothing is shown),
    // 1 otherwise.
    int ImplementGoCommand(char* text, const char* businessSegment);

private:
    VqsGoDispatcher() = default;
};
