// Repository files made and read by the repository tool.
#pragma once

#include "repo/RepoDescription.h"

#include <ostream>
#include <string>
#include <vector>

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

// Brings a repository on a server that an earlier build made up to date: what this build
// adds to its schema, and the rights the repository's other roles have on its tables and
// sequences given on what was added (PxServerStore::Upgrade); answers what it changed, a
// sentence each. Refused for a repository file, and on a server for a role that may not act
// as the owner of its tables while there is something to change.
std::vector<std::string> UpgradeServerRepository(const std::string& uri);

// The same, then the server's statistics of the repository's tables are taken again.
std::vector<std::string> AnalyzeServerRepository(const std::string& uri);

} // namespace vqrepo
