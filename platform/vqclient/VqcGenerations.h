// The client's own bookkeeping of the generations it started.
#pragma once

namespace vqclient {

// Forgets the generations, their numbers and a pending start failure.
void ResetGenerations();

} // namespace vqclient
