#include "go/VqsGoDispatcher.h"

VqsGoDispatcher* VqsGoDispatcher::Instance()
{
    static VqsGoDispatcher dispatcher;
    return &dispatcher;
}

// No GO spec definition is registered, so none accepts a text.
int VqsGoDispatcher::ImplementGoCommand(char*, const char*) { return 0; }
