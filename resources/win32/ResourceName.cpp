#include "ResourceName.h"

namespace scx::res {

std::wstring ResourceNameOf(std::string_view path) {
    const auto slash = path.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    name = name.substr(0, name.find('.'));
    std::wstring wide;
    for (char c : name) {  // the files' names are ASCII
        wide += static_cast<wchar_t>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    return wide;
}

}  // namespace scx::res
