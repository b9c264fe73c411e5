// The client's own bookkeeping of the generations it started.
#pragma once

namespace vqclient {

// The generations started and not ended: this stand-in's main threads (VqClient.h). One whose
// claim went is ended first, and the user told.
int RunningGenerations();
// Cancels every generation started and not ended, with the reason ("cancel N: reason").
void CancelRunningGenerations(const char* reason);
// Forgets the generations, their numbers and a pending start failure.
void ResetGenerations();

} // namespace vqclient
