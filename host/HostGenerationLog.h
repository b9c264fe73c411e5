// Where the generation client of a host run writes its log, and the log made empty for the run.
#pragma once

#include <string>

// The log named in `configured` ($VQ_GENERATION_LOG) when that is set; else for a repository
// file REPO.genlog beside it; else for a repository on a server (a postgresql:// URI)
// DATABASE.genlog in the working folder, after the URI's database name with characters
// other than letters, digits, '.', '_' and '-' written as '_' ("postgresql" when the URI
// names none). Empty when there is neither a repository nor a configured log.
std::string GenerationLogPath(const std::string& repository, const char* configured);

// Makes the log an empty file; false with the reason when it cannot be written.
bool EmptyGenerationLog(const std::string& path, std::string& problem);
