// Steps another user's process takes on a shared repository, as that user's dialogs would,
// failing (with an exception) where it would have had to wait for a lock.
#pragma once

class PxVQLink;

namespace vqtest {

// Renames the host as its host options would: the enterprise and the host written, never
// waited for.
void RenameHostWithoutWaiting(PxVQLink& link, const char* from, const char* to);

} // namespace vqtest
