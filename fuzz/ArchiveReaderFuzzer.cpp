// libFuzzer target: the package header reader on any bytes. Besides crashes, hangs and
// sanitizer reports it checks what the reader promises: events in order, a data area that
// starts inside the input, and header texts that come back unchanged when written again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ArchiveFormat.h"
#include "ArchiveReader.h"

namespace {

using namespace scx::archive;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckTextRoundTrip(const std::string& text) {
    Check(DecodeHeaderText(EncodeHeaderText(text)) == text);
}

class CInvariants : public CArchiveReadObserver {
  public:
    explicit CInvariants(std::size_t size) : m_size(size) {}

    void OnNewerVersion() override { Step(0); }
    void OnNewerFormat() override { Step(1); }
    void OnAuthor(const std::string& text) override { Text(2, text); }
    void OnContent(const std::string& text) override { Text(3, text); }
    void OnComment(const std::string& text) override {
        Text(4, text);
        Check(WithCrLf(WithLineFeeds(text)).size() >= WithLineFeeds(text).size());
    }
    void OnEntry(const ArchiveEntry& entry) override {
        Text(5, entry.name);
        IsExtractableName(entry.name);
        ParsePlainDecimal(entry.sizeText);
        ParsePlainDecimal(entry.positionText);
    }
    void OnLoaded(std::uint64_t dataStart) override {
        Step(6);
        Check(dataStart <= m_size);
        m_ended = true;
    }
    void OnCorrupt() override {
        Check(!m_ended);
        m_ended = true;
    }
    bool Ended() const { return m_ended; }

  private:
    void Step(int step) {
        Check(!m_ended && step >= m_last);
        m_last = step;
    }
    void Text(int step, const std::string& text) {
        Step(step);
        CheckTextRoundTrip(text);
    }

    std::size_t m_size;
    int m_last = 0;
    bool m_ended = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CInvariants invariants(size);
    CMemoryHeaderSource source(data, size);
    ParseArchiveHeader(source, invariants);
    Check(invariants.Ended());
    ParseLeadingDouble(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
