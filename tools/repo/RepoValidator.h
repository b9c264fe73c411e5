// Checks that a repository description holds together before anything is written: no
// name twice where names must differ, and every reference names an object of the right
// kind. The first problem is thrown as a RepoError naming its place.
#pragma once

#include "repo/RepoDescription.h"

namespace vqrepo {

void ValidateDescription(const RepoDescription& description);

} // namespace vqrepo
