// Repository files made and read by the repository tool.
#pragma once

#include "repo/RepoDescription.h"

#include <ostream>
#include <string>

namespace vqrepo {

// Makes the repository file of a description. The description is checked first; the file
// is built beside its place ("<path>.building-<pid>") and moved into place only when
// complete and only if the name is still free, so a refused description or a failed build
// leaves nothing behind and no file is ever replaced. Refused as well: a path in a missing
// folder, and files an earlier repository of the name left (log, shared memory, locks).
// Building files of earlier creates of the path whose process no longer runs are removed.
// A postgresql:// URI instead of a path makes the repository in that server database,
// which must be empty; a failed build takes it out again.
void CreateRepositoryFile(const std::string& path, const RepoDescription& description);

// Writes the objects of a repository file (or server database) as text, opening it read
// only (PxRepositoryDump::WriteFile).
void DumpRepositoryFile(const std::string& path, std::ostream& out);

// Takes the server's statistics of a repository on a server; one made by an earlier build
// first gets the key columns' estimates its deletions need to find their rows by key.
// Refused for a repository file, and on a server for a user who does not own its tables.
void AnalyzeServerRepository(const std::string& uri);

} // namespace vqrepo
