#pragma once
// A thread for work behind the scenes that never takes a signal sent to the process: the
// program's handlers then always run on the thread that may hold signals back around what
// they depend on, as it does while it creates a file that an interruption must remove.

#include <functional>
#include <thread>

namespace scx {

std::thread StartBackgroundThread(std::function<void()> body);

}  // namespace scx
