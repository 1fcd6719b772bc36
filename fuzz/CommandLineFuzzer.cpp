// libFuzzer target: the program's command line ("l " and a path) on any text. A file is
// named only with a path after "l", and its extension is three characters or none.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto file = scx::app::ParseCommandLineText(text);
    if (file && (file->path.empty() || !(file->extension.empty() || file->extension.size() == 3) ||
                 !text.ends_with(file->path))) {
        std::abort();
    }
    return 0;
}
