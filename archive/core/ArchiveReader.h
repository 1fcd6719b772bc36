#pragma once
// The reader of the package header (see ArchiveFormat.h). It checks, in this order: "@"
// and the name "scindarexpack", "@begin", "@meta", "{", the product field (any text), the
// version field (newer than 2.01: notice 141), the format revision (above 1: notice 140),
// author, content and comment, "}", "@struct", "{", the entries, and the name "end" that
// follows the directory. An entry is two bytes of which the second must be "f" (anything
// else ends the directory, as "}@" of "}@end;" does), then "(" (anything else also ends
// the directory, with no row), then the name, size and position fields. The first
// failed check, a field longer than kMaxFieldBytes, or the end of the file before "@end;",
// makes the archive corrupt.
//
// Events reach the observer as the parse meets them, so whatever preceded a failure stays
// delivered. The data area is never examined: a file cut short inside it loads.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ArchiveFormat.h"

namespace scx::archive {

class CArchiveReadObserver {
  public:
    virtual ~CArchiveReadObserver() = default;
    virtual void OnNewerVersion() {}  // notice 141
    virtual void OnNewerFormat() {}   // notice 140
    // Texts in UTF-8; the comment as stored, with its CR LF pairs.
    virtual void OnAuthor(const std::string& /*text*/) {}
    virtual void OnContent(const std::string& /*text*/) {}
    virtual void OnComment(const std::string& /*text*/) {}
    virtual void OnEntry(const ArchiveEntry& /*entry*/) {}
    // The header was read to its end: the data area starts `dataStart` bytes into the file.
    virtual void OnLoaded(std::uint64_t /*dataStart*/) {}
    // A check failed (message 134).
    virtual void OnCorrupt() {}
};

// Bytes of a header, taken in blocks rather than one call per byte.
class CHeaderSource {
  public:
    virtual ~CHeaderSource() = default;
    // The next byte, or false at the end of the input.
    bool Next(char& byte) {
        if (m_next == m_end && !Refill()) {
            return false;
        }
        byte = *m_next++;
        ++m_consumed;
        return true;
    }
    // Bytes taken so far.
    std::uint64_t Consumed() const { return m_consumed; }

  protected:
    // Points the window at the next block; false when there is none.
    virtual bool Refill() = 0;
    void SetWindow(const char* begin, const char* end) {
        m_next = begin;
        m_end = end;
    }

  private:
    const char* m_next = nullptr;
    const char* m_end = nullptr;
    std::uint64_t m_consumed = 0;
};

// A header held in memory (tests, the fuzzer).
class CMemoryHeaderSource : public CHeaderSource {
  public:
    CMemoryHeaderSource(const void* data, std::size_t size)
        : m_data(static_cast<const char*>(data)), m_size(size) {}

  protected:
    bool Refill() override;

  private:
    const char* m_data;
    std::size_t m_size;
    bool m_given = false;
};

// Parses one header; true when it was read to its end.
bool ParseArchiveHeader(CHeaderSource& source, CArchiveReadObserver& observer);

// Opens the archive at `path` for reading, parses its header and closes it. File failures
// raise CFileException.
bool LoadArchiveFile(const std::string& path, CArchiveReadObserver& observer);

// Everything a load delivers, collected.
struct ArchiveListing : CArchiveReadObserver {
    ArchiveProperties properties;
    std::vector<ArchiveEntry> entries;
    std::uint64_t dataStart = 0;
    bool newerVersion = false;
    bool newerFormat = false;
    bool loaded = false;

    void OnNewerVersion() override { newerVersion = true; }
    void OnNewerFormat() override { newerFormat = true; }
    void OnAuthor(const std::string& text) override { properties.author = text; }
    void OnContent(const std::string& text) override { properties.content = text; }
    void OnComment(const std::string& text) override { properties.comment = text; }
    void OnEntry(const ArchiveEntry& entry) override { entries.push_back(entry); }
    void OnLoaded(std::uint64_t start) override {
        dataStart = start;
        loaded = true;
    }
};

}  // namespace scx::archive
