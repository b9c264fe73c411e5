// Writes a repository description into a repository, in one transaction of the link: the
// design side through PxLSEBuilder, then hosts, packs and systems through the generation
// side's own operations, taking each business segment of a system into its current
// configuration with soft links and option records as the module would. Objects are made
// at the description's time stamp and revision identifiers from the objects' places, so
// the same description gives the same repository. The description should have passed
// ValidateDescription.
#pragma once

#include "repo/RepoDescription.h"

class PxVQLink;

namespace vqrepo {

void BuildRepository(PxVQLink& link, const RepoDescription& description);

} // namespace vqrepo
