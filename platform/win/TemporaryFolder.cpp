#include "win/TemporaryFolder.h"

#include <cstdlib>
#include <system_error>

namespace vqwin {

namespace {

// The folder the library looked at: the first of these variables that is set, else /tmp.
std::filesystem::path ConfiguredFolder()
{
    for (const char* name : {"TMPDIR", "TMP", "TEMP", "TEMPDIR"}) {
        if (const char* folder = std::getenv(name); folder && *folder)
            return folder;
    }
    return "/tmp";
}

} // namespace

std::filesystem::path TemporaryFolder()
{
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error)
        throw std::filesystem::filesystem_error("the folder for temporary files cannot be used", ConfiguredFolder(),
                                                error);
    return folder;
}

} // namespace vqwin
