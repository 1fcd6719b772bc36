#pragma once
// Our texts are UTF-8, held in std::string or std::string_view alike.

#include <QString>
#include <string_view>

namespace scx {

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace scx
