// libFuzzer target: the partition size as the window reads it from its list (atol's way)
// and as scindarex-cli reads --size, then the piece count and the size text they feed.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "CliArguments.h"
#include "SourcePanel.h"
#include "SplitEngine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::uint64_t length = 0;
    for (std::size_t i = 0; i < size && i < 8; ++i) {
        length = length << 8 | data[i];
    }
    const std::int64_t windowKb = scx::app::ParseSizeText(text);
    scx::pieces::PieceCount(length, windowKb);
    if (const auto cliKb = scx::cli::ParsePartitionKb(text)) {
        if (*cliKb < 0 || text.find_first_not_of("0123456789") != std::string_view::npos) {
            std::abort();
        }
        scx::pieces::PieceCount(length, *cliKb);
    }
    if (scx::app::FormatFileSize(length).empty()) {
        std::abort();
    }
    return 0;
}
