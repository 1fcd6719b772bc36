#pragma once
// Scratch files for the core tests: a private folder removed afterwards, whole-file
// helpers, and a lock held the way another program would hold a file.

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

#include "Utf8Path.h"

namespace scx::test {

using scx::Utf8Path;
using scx::Utf8Text;

class TempFolder {
  public:
    TempFolder() {
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const auto path =
                std::filesystem::temp_directory_path() / ("scx-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(path)) {
                m_path = path;
                return;
            }
        }
        throw std::runtime_error("no scratch folder could be created");
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder with its final separator, as the program keeps folders; paths written
    // with the platform's separator, as the file layer gives them back.
    std::string Folder() const { return Utf8Text(m_path / ""); }
    std::string Path(const std::string& name) const {
        return Utf8Text(m_path / Utf8Path(name).make_preferred());
    }

  private:
    std::filesystem::path m_path;
};

inline void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(Utf8Path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(Utf8Path(path), std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

// Deterministic, non-repeating enough to catch misplaced blocks.
inline std::string PatternBytes(std::size_t size, unsigned seed = 1) {
    std::string bytes(size, '\0');
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& b : bytes) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<char>(state >> 24);
    }
    return bytes;
}

// What a folder may already hold under a name the program means to take for itself.
enum class Planted { nothing, file, folder, link };

// Puts `kind` at `path`: a file holding "planted", an empty folder, or a link to `target`
// (which need not exist). False when the system refuses to make links (Windows without the
// right to).
inline bool Plant(Planted kind, const std::string& path, const std::string& target) {
    std::error_code error;
    switch (kind) {
        case Planted::nothing:
            break;
        case Planted::file:
            WriteWholeFile(path, "planted");
            break;
        case Planted::folder:
            std::filesystem::create_directory(Utf8Path(path));
            break;
        case Planted::link:
            std::filesystem::create_symlink(Utf8Path(target), Utf8Path(path), error);
            break;
    }
    return !error;
}

// Whether `path` still holds what Plant put there, untouched.
inline bool StillPlanted(Planted kind, const std::string& path, const std::string& target) {
    std::error_code error;
    const auto type = std::filesystem::symlink_status(Utf8Path(path), error).type();
    switch (kind) {
        case Planted::nothing:
            return type == std::filesystem::file_type::not_found;
        case Planted::file:
            return type == std::filesystem::file_type::regular && ReadWholeFile(path) == "planted";
        case Planted::folder:
            return type == std::filesystem::file_type::directory &&
                   std::filesystem::is_empty(Utf8Path(path));
        case Planted::link:
            return type == std::filesystem::file_type::symlink &&
                   std::filesystem::read_symlink(Utf8Path(path)) == Utf8Path(target);
    }
    return false;
}

// The file held the way another program's exclusive open holds it: an exclusive flock on
// POSIX, an open that denies reading and writing to others on Windows.
class HeldFile {
  public:
#ifdef _WIN32
    explicit HeldFile(const std::string& path) {
        if (::_wsopen_s(&m_fd, Utf8Path(path).wstring().c_str(), _O_RDONLY, _SH_DENYRW, _S_IREAD) !=
            0) {
            throw std::runtime_error("cannot hold " + path);
        }
    }
    ~HeldFile() {
        ::_close(m_fd);
    }
#else
    explicit HeldFile(const std::string& path) : m_fd(::open(path.c_str(), O_RDONLY)) {
        if (m_fd < 0 || ::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            throw std::runtime_error("cannot hold " + path);
        }
    }
    ~HeldFile() {
        ::close(m_fd);
    }
#endif
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

  private:
    int m_fd = -1;
};

}  // namespace scx::test
