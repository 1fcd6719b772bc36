#include <signal.h>

#include <utility>

#include "BackgroundThread.h"

namespace scx {

std::thread StartBackgroundThread(std::function<void()> body) {
    // A new thread starts with its creator's mask: blocked from its first instruction.
    sigset_t all;
    ::sigfillset(&all);
    sigset_t previous;
    ::pthread_sigmask(SIG_BLOCK, &all, &previous);
    std::thread thread(std::move(body));
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return thread;
}

}  // namespace scx
