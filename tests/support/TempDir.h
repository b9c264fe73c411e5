// A fresh directory for one test, removed with everything in it at the end.
#pragma once

#include <string>

namespace vqtest {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    // The path of a file in the directory.
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    // Writes a file (creating its folders) and returns its path.
    std::string Write(const std::string& name, const std::string& content) const;
    // The file's content; empty when it does not exist.
    std::string Read(const std::string& name) const;

private:
    std::string m_path;
};

} // namespace vqtest
