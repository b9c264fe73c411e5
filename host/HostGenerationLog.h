// Where the generation client of a host run writes its log, and the log made empty for the run.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The log named in `configured` ($VQ_GENERATION_LOG) when that is set; else for a repository
// file REPO.genlog beside it; else for a repository on a server (a postgresql:// URI)
// DATABASE.genlog in the working folder, after the URI's database name with characters
// other than letters, digits, '.', '_' and '-' written as '_' ("postgresql" when the URI
// names none). Empty when there is neither a repository nor a configured log.
std::string GenerationLogPath(const std::string& repository, const char* configured);

// Makes sure the log can be written, creating it when it is missing. What it holds stays:
// another host on the same repository may be writing it. False with the reason when it
// cannot be written.
bool OpenGenerationLog(const std::string& path, std::string& problem);

// The longest log the host reads: a log on a device that never ends is refused, not read
// until memory runs out.
constexpr std::size_t kGenerationLogLimit = 4 * 1024 * 1024;

// The log's lines; false with the reason when it cannot be read or holds more than `limit`
// bytes.
bool ReadGenerationLog(const std::string& path, std::vector<std::string>& lines, std::string& problem,
                       std::size_t limit = kGenerationLogLimit);
