#pragma once
// Files for tests: a fresh folder removed at the end, and whole-file reads and writes.

#include <cstdint>
#include <string>

namespace scx::testkit {

// `path` with each "/" written as the platform's separator.
std::string Native(std::string path);

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder, ending with the platform's separator.
    const std::string& Path() const { return m_path; }
    // `name` within the folder, its "/" written as the platform's separator.
    std::string operator/(const std::string& name) const { return m_path + Native(name); }

  private:
    std::string m_path;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
// `size` bytes of a repeatable pseudo-random pattern.
std::string PatternBytes(std::uint64_t size, std::uint32_t seed = 1);
bool PathExists(const std::string& path);

}  // namespace scx::testkit
