// Checks that a repository description holds together before anything is written: no
// name twice where names must differ, every reference names an object of the right kind,
// and codes and numbers are ones the repository can hold (usage and relation letters,
// lengths). The first problem is thrown as a RepoError naming its place.
#pragma once

#include "repo/RepoDescription.h"

namespace vqrepo {

void ValidateDescription(const RepoDescription& description);

} // namespace vqrepo
