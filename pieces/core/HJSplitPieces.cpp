#include "HJSplitPieces.h"

#include "FileExistence.h"
#include "PieceNames.h"

namespace scx::pieces {

std::uint64_t CountHJSplitPieces(std::string_view folder, std::string_view baseName) {
    std::uint64_t count = 0;
    for (;;) {
        switch (ProbeFile(PiecePath(folder, baseName, count + 1))) {
            case FileProbe::missing:
                return count;
            case FileProbe::unopenable:
                return count + 1;
            case FileProbe::openable:
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
