// What the GO tests share.
#pragma once

#include "model/VqsModelNodeOption.h"
#include "model/VqsOptionNodeRegister.h"
#include "proxy/PxIspecOptions.h"

namespace gotest {

// The model has no option node for the records of plain Ispecs yet: a test node stands in,
// so that reading an option set does not stop at them.
class TestIspecOptionNode : public VqsModelNodeOptionOf<PxIspecOptions> {
public:
    using VqsModelNodeOptionOf::VqsModelNodeOptionOf;
};

inline void RegisterTestIspecOptionNode() { VqsOptionNodeRegister::Register(&VqsMakeOptionNode<TestIspecOptionNode>); }

} // namespace gotest
