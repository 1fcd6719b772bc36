#pragma once
// The program names its pictures, clips and guide by their path in the Qt resource file
// (Resources.h); in the Windows resources each is named after its file, in capitals
// (":/clips/split_1.svg" is SPLIT_1, ":/help/guide.html" is GUIDE).

#include <string>
#include <string_view>

namespace scx::res {

std::wstring ResourceNameOf(std::string_view path);

}  // namespace scx::res
