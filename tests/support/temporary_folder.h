// temporary_folder.h: a private folder per test, removed afterwards.
//
// Tests run in parallel; each one that touches the file system works in its
// own folder so that no two tests share a name.
#pragma once

#include <filesystem>
#include <string>
#include <vector>
#include <cstdint>

namespace lexvane::testing {

class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The path of a file inside the folder, as a UTF-8 string.
    std::string file(const std::string& name) const { return (m_path / name).string(); }

    // Writes bytes to a file inside the folder and returns its path.
    std::string write(const std::string& name, const std::vector<std::uint8_t>& content) const;

private:
    std::filesystem::path m_path;
};

} // namespace lexvane::testing
