#include "HJSplitPieces.h"

#include "FileExistence.h"
#include "PieceNames.h"

namespace scx::pieces {

namespace {

// Names that exist but cannot be opened, in a row, beyond which the count gives up: when
// the folder itself cannot be reached every name "exists".
constexpr std::uint64_t kMaxUnopenableRun = 64;

}  // namespace

std::uint64_t CountHJSplitPieces(std::string_view folder, std::string_view baseName) {
    std::uint64_t count = 0;
    std::uint64_t unopenableRun = 0;
    for (;;) {
        switch (ProbeFile(PiecePath(folder, baseName, count + 1))) {
            case FileProbe::missing:
                return count;
            case FileProbe::unopenable:
                if (++unopenableRun > kMaxUnopenableRun) {
                    return count - kMaxUnopenableRun + 1;
                }
                ++count;
                break;
            case FileProbe::openable:
                unopenableRun = 0;
                ++count;
                break;
        }
    }
}

std::optional<std::string> HJSplitExtension(std::string_view baseName) {
    const std::size_t dot = baseName.find('.');
    if (dot == std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(baseName.substr(dot + 1));
}

}  // namespace scx::pieces
