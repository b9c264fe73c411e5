// What tests see of the serializer: one line per extract call, in order. Not for the module.
#pragma once

#include <string>
#include <vector>

namespace vqserialize {

std::vector<std::string> Calls();
// The next open answers that the serializer is not ready.
void FailNextOpen();
void Reset();

} // namespace vqserialize
