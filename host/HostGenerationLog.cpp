#include "HostGenerationLog.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

bool IsServerName(const std::string& name)
{
    return name.starts_with("postgresql://") || name.starts_with("postgres://");
}

// The database a URI names: its path, else its dbname parameter.
std::string DatabaseOf(const std::string& uri)
{
    const std::size_t authority = uri.find("://") + 3;
    const std::size_t query = uri.find('?', authority);
    const std::size_t slash = uri.find('/', authority);
    if (slash != std::string::npos && slash < query) {
        const std::string path = uri.substr(slash + 1, query == std::string::npos ? std::string::npos : query - slash - 1);
        if (!path.empty())
            return path;
    }
    if (query == std::string::npos)
        return {};
    for (std::size_t at = query + 1; at < uri.size();) {
        std::size_t end = uri.find('&', at);
        if (end == std::string::npos)
            end = uri.size();
        if (uri.compare(at, 7, "dbname=") == 0 && end > at + 7)
            return uri.substr(at + 7, end - at - 7);
        at = end + 1;
    }
    return {};
}

std::string FileNameOf(const std::string& database)
{
    std::string name = database.empty() ? "postgresql" : database;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_' && c != '-')
            c = '_';
    return name;
}

} // namespace

std::string GenerationLogPath(const std::string& repository, const char* configured)
{
    if (configured && *configured)
        return configured;
    if (repository.empty())
        return {};
    if (IsServerName(repository))
        return FileNameOf(DatabaseOf(repository)) + ".genlog";
    return repository + ".genlog";
}

bool OpenGenerationLog(const std::string& path, std::string& problem)
{
    errno = 0;
    std::ofstream log(path, std::ios::app);
    log.close();
    if (log)
        return true;
    problem = std::strerror(errno ? errno : EIO);
    return false;
}

bool ReadGenerationLog(const std::string& path, std::vector<std::string>& lines, std::string& problem,
                       std::size_t limit)
{
    errno = 0;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> log(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!log) {
        problem = std::strerror(errno ? errno : EIO);
        return false;
    }
    // One byte beyond the limit tells a log that is too long.
    std::string text(limit + 1, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), log.get()));
    if (std::ferror(log.get())) {
        problem = std::strerror(errno ? errno : EIO);
        return false;
    }
    if (text.size() > limit) {
        problem = "it holds more than " + std::to_string(limit) + " bytes";
        return false;
    }
    lines.clear();
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return true;
}
