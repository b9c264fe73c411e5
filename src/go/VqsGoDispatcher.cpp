#include "go/VqsGoDispatcher.h"

VqsGoDispatcher* VqsGoDispatcher::Instance()
{
    static VqsGoDispatcher dispatcher;
    return &dispatcher;
}
