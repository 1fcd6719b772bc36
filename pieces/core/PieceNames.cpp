#include "PieceNames.h"

namespace scx::pieces {

std::string PieceSuffix(std::uint64_t pieceNumber) {
    std::string digits = std::to_string(pieceNumber);
    if (digits.size() < 3) {
        digits.insert(0, 3 - digits.size(), '0');
    }
    return "." + digits;
}

std::string PiecePath(std::string_view folder, std::string_view baseName,
                      std::uint64_t pieceNumber) {
    std::string path(folder);
    path += baseName;
    path += PieceSuffix(pieceNumber);
    return path;
}

std::string SplitPiecePath(std::string_view folder, std::string_view baseName,
                           std::uint64_t pieceNumber, bool copyName) {
    std::string base(baseName);
    if (copyName) {
        base += kCopySuffix;
    }
    return PiecePath(folder, base, pieceNumber);
}

std::string OwnJoinOutputPath(std::string_view folder, std::string_view baseName,
                              std::string_view extension, bool copyName) {
    std::string path(folder);
    path += baseName;
    if (copyName) {
        path += kCopySuffix;
    }
    if (!extension.empty()) {
        path += '.';
        path += extension;
    }
    return path;
}

std::string HJSplitJoinOutputPath(std::string_view folder, std::string_view baseName,
                                  bool copyName) {
    std::string path(folder);
    if (copyName) {
        path += kCopyPrefix;
    }
    path += baseName;
    return path;
}

}  // namespace scx::pieces
