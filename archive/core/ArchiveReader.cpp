#include "ArchiveReader.h"

#include <vector>

#include "File.h"

namespace scx::archive {

namespace {

// Large enough that a header of thousands of entries takes a few reads; what it reads
// past "@end;" is never looked at.
constexpr std::size_t kHeaderBlock = 64 * 1024;

class CFileHeaderSource : public CHeaderSource {
  public:
    explicit CFileHeaderSource(CFile& file) : m_file(file), m_block(kHeaderBlock) {}

  protected:
    bool Refill() override {
        const std::size_t got = m_file.Read(m_block.data(), m_block.size());
        SetWindow(m_block.data(), m_block.data() + got);
        return got > 0;
    }

  private:
    CFile& m_file;
    std::vector<char> m_block;
};

// The end of the input anywhere in the header makes it corrupt, as a failed check does.
struct Corrupt {};

class CParser {
  public:
    CParser(CHeaderSource& source, CArchiveReadObserver& observer)
        : m_source(source), m_observer(observer) {}

    void Parse() {
        ExpectSection("scindarexpack");
        ExpectSection("begin");
        ExpectSection("meta");
        Expect('{');
        ReadField();  // the product: any text
        if (ParseLeadingDouble(ReadField()) > kReaderVersion) {
            m_observer.OnNewerVersion();
        }
        if (ParseLeadingDouble(ReadField()) > kReaderRevision) {
            m_observer.OnNewerFormat();
        }
        m_observer.OnAuthor(DecodeHeaderText(ReadField()));
        m_observer.OnContent(DecodeHeaderText(ReadField()));
        m_observer.OnComment(DecodeHeaderText(ReadField()));
        Expect('}');
        ExpectSection("struct");
        Expect('{');
        while (ReadEntry()) {
        }
        // The byte after the directory's end starts the last name: "end" of "}@end;".
        const char first = Byte();
        if (first != 'e' || !ReadName("nd")) {
            throw Corrupt{};
        }
        m_observer.OnLoaded(m_source.Consumed());
    }

  private:
    char Byte() {
        char byte;
        if (!m_source.Next(byte)) {
            throw Corrupt{};
        }
        return byte;
    }

    void Expect(char wanted) {
        if (Byte() != wanted) {
            throw Corrupt{};
        }
    }

    // A field that outgrows kMaxFieldBytes is corrupt as soon as it does, so a file
    // without a ";" is not read to its end.
    std::string ReadField() {
        std::string field;
        for (char byte = Byte(); byte != ';'; byte = Byte()) {
            if (field.size() == kMaxFieldBytes) {
                throw Corrupt{};
            }
            field += byte;
        }
        return field;
    }

    // Whether the bytes up to the next ";" are `name`. The first byte that differs
    // settles it: a large file that is no archive is not read to its end.
    bool ReadName(std::string_view name) {
        std::size_t length = 0;
        for (char byte = Byte(); byte != ';'; byte = Byte()) {
            if (length >= name.size() || name[length] != byte) {
                return false;
            }
            ++length;
        }
        return length == name.size();
    }

    void ExpectSection(std::string_view name) {
        Expect('@');
        if (!ReadName(name)) {
            throw Corrupt{};
        }
    }

    // False at the end of the directory.
    bool ReadEntry() {
        Byte();  // "#" in a well-formed entry; not examined
        if (Byte() != 'f') {
            return false;
        }
        if (Byte() != '(') {
            return false;
        }
        ArchiveEntry entry;
        entry.name = DecodeHeaderText(ReadField());
        entry.sizeText = ReadField();
        entry.positionText = ReadField();
        m_observer.OnEntry(entry);
        return true;
    }

    CHeaderSource& m_source;
    CArchiveReadObserver& m_observer;
};

}  // namespace

bool CMemoryHeaderSource::Refill() {
    if (m_given) {
        return false;
    }
    m_given = true;
    SetWindow(m_data, m_data + m_size);
    return m_size > 0;
}

bool ParseArchiveHeader(CHeaderSource& source, CArchiveReadObserver& observer) {
    try {
        CParser(source, observer).Parse();
        return true;
    } catch (const Corrupt&) {
        observer.OnCorrupt();
        return false;
    }
}

bool LoadArchiveFile(const std::string& path, CArchiveReadObserver& observer) {
    CFile file(path, CFile::modeRead | CFile::shareExclusive);
    CFileHeaderSource source(file);
    const bool loaded = ParseArchiveHeader(source, observer);
    file.Close();
    return loaded;
}

}  // namespace scx::archive
