#include "win/FileAttributes.h"

#include "win/LastError.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace {

bool IsDirectory(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

DWORD MissingError(const char* path)
{
    std::string parent = std::filesystem::path(path).parent_path().string();
    if (parent.empty())
        parent = ".";
    return IsDirectory(parent) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

DWORD ErrorOf(int error, const char* path)
{
    switch (error) {
    case ENAMETOOLONG:
        return ERROR_INVALID_NAME;
    case ENOENT:
        return MissingError(path);
    case EACCES:
        return ERROR_ACCESS_DENIED;
    default:
        return ERROR_PATH_NOT_FOUND;
    }
}

} // namespace

DWORD GetFileAttributes(LPCTSTR path)
{
    if (!path || !*path) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    struct stat status {};
    if (::stat(path, &status) != 0) {
        SetLastError(ErrorOf(errno, path));
        return INVALID_FILE_ATTRIBUTES;
    }
    SetLastError(ERROR_SUCCESS);
    return S_ISDIR(status.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}
