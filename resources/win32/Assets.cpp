#include "Assets.h"
#include "ResourceName.h"
#include "Resources.h"

// After our headers: <windows.h> has macros of the names of WinDefs.h's constants.
#include "WindowsApi.h"

namespace scx::res {

std::string GuideContent() {
    HRSRC found = FindResourceW(nullptr, ResourceNameOf(kGuideResourcePath).c_str(),
                                MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return {};
    }
    return std::string(static_cast<const char*>(bytes), SizeofResource(nullptr, found));
}

}  // namespace scx::res
