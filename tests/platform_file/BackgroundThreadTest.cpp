#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#endif

#include "BackgroundThread.h"

namespace scx {
namespace {

// A signal sent to the process must reach the thread that runs the program, the only
// one that may hold it back while it does what the handler depends on.
TEST(BackgroundThreadTest, TakesNoSignalAndLeavesItsCreatorsMaskAsItWas) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows sends no signal to a thread";
#else
    sigset_t before;
    ASSERT_EQ(::pthread_sigmask(SIG_SETMASK, nullptr, &before), 0);
    sigset_t inside;
    sigemptyset(&inside);
    StartBackgroundThread([&inside] { ::pthread_sigmask(SIG_SETMASK, nullptr, &inside); }).join();
    sigset_t after;
    ASSERT_EQ(::pthread_sigmask(SIG_SETMASK, nullptr, &after), 0);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGALRM}) {
        EXPECT_EQ(sigismember(&inside, signal), 1) << signal;
        EXPECT_EQ(sigismember(&after, signal), sigismember(&before, signal)) << signal;
    }
#endif
}

}  // namespace
}  // namespace scx
