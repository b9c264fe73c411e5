// Reads a repository description from JSON text. Refuses text that is not JSON (naming
// the line and column), unknown keys, values of the wrong type or beyond their field,
// texts with a NUL character and unknown design classes and properties, naming the place
// in the description; the description read is checked with ValidateDescription.
#pragma once

#include "repo/RepoDescription.h"

#include <string>

namespace vqrepo {

RepoDescription ReadDescription(const std::string& json);
// The description in a file; the messages name the file.
RepoDescription ReadDescriptionFile(const std::string& path);

} // namespace vqrepo
