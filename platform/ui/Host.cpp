#include "Host.h"

#include <cassert>

namespace scx {

namespace {
Host* g_host = nullptr;
}

Host& GetHost() {
    assert(g_host != nullptr && "SetHost must run before any dialog or message box");
    return *g_host;
}

void SetHost(Host* host) {
    g_host = host;
}

}  // namespace scx
