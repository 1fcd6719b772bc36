// libFuzzer target: scindarex-cli's argument parser on any argument list (the input's
// zero bytes separate the arguments). Every list is either understood or refused with a
// message that ends with the usage line.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "CliArguments.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    const scx::cli::ParsedArguments parsed = scx::cli::ParseArguments(args);
    if (parsed.arguments.has_value() == !parsed.error.empty()) {
        std::abort();
    }
    if (parsed.arguments && parsed.arguments->partitionKb < 0) {
        std::abort();
    }
    return 0;
}
