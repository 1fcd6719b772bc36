#include <utility>

#include "BackgroundThread.h"

namespace scx {

// Windows sends no signal to a thread: console events get a thread of their own.
std::thread StartBackgroundThread(std::function<void()> body) {
    return std::thread(std::move(body));
}

}  // namespace scx
