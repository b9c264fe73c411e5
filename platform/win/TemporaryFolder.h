// The folder for temporary files, as the C++ library finds it ($TMPDIR and its kin, else
// /tmp), for every part that writes such files.
#pragma once

#include <filesystem>

namespace vqwin {

// Throws std::filesystem::filesystem_error naming the folder when it is not one (missing,
// a file), so that the user learns which folder to make.
std::filesystem::path TemporaryFolder();

} // namespace vqwin
