// Repository files made and read by the repository tool.
#pragma once

#include "repo/RepoDescription.h"

#include <ostream>
#include <string>

namespace vqrepo {

// Makes the repository file of a description. The description is checked first; the file
// is built beside its place under another name and renamed into place only when complete,
// so a refused description or a failed build leaves nothing behind. An existing file is
// refused.
void CreateRepositoryFile(const std::string& path, const RepoDescription& description);

// Writes the objects of a repository file as text (PxRepositoryDump).
void DumpRepositoryFile(const std::string& path, std::ostream& out);

} // namespace vqrepo
