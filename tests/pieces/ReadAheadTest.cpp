#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include "ReadAhead.h"
#include "TestFiles.h"

namespace scx::pieces {
namespace {

// What the read-ahead thread asks for, and a wait for the request that ends at a point.
template <typename Entry>
class CRecorder {
  public:
    void Add(Entry entry, std::uint64_t end) {
        {
            const std::lock_guard lock(m_mutex);
            m_entries.push_back(std::move(entry));
            m_end = end;
        }
        m_changed.notify_all();
    }
    bool WaitForEnd(std::uint64_t end) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(10), [&] { return m_end == end; });
    }
    std::vector<Entry> Taken() {
        const std::lock_guard lock(m_mutex);
        return m_entries;
    }

  private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Entry> m_entries;
    std::uint64_t m_end = 0;
};

using Request = std::pair<std::uint64_t, std::uint64_t>;  // offset, length

TEST(ReadAheadTest, RequestsInOrderWithinTheWindowAndNothingPassed) {
    const struct {
        std::string name;
        std::uint64_t start, end, window, chunk;
        // Positions reported in turn; after each, the requests must reach the end given.
        std::vector<std::pair<std::uint64_t, std::uint64_t>> steps;
        std::vector<Request> expected;
    } cases[] = {
        {"window filled in chunks, then kept ahead",
         0,
         100,
         30,
         8,
         {{0, 30}, {15, 45}, {40, 70}},
         {{0, 8}, {8, 8}, {16, 8}, {24, 6}, {30, 8}, {38, 7}, {45, 8}, {53, 8}, {61, 8}, {69, 1}}},
        {"nothing asked for until half the window is free",
         0,
         100,
         32,
         8,
         {{0, 32}, {4, 32}, {16, 48}},
         {{0, 8}, {8, 8}, {16, 8}, {24, 8}, {32, 8}, {40, 8}}},
        {"a copy faster than the requests: what it passed is skipped",
         0,
         100,
         20,
         8,
         {{0, 20}, {50, 70}},
         {{0, 8}, {8, 8}, {16, 4}, {50, 8}, {58, 8}, {66, 4}}},
        {"a copy gone back is followed there",
         0,
         100,
         20,
         8,
         {{0, 20}, {50, 70}, {10, 30}},
         {{0, 8}, {8, 8}, {16, 4}, {50, 8}, {58, 8}, {66, 4}, {10, 8}, {18, 8}, {26, 4}}},
        {"never past the end", 40, 50, 64, 4, {{40, 50}}, {{40, 4}, {44, 4}, {48, 2}}},
        {"a window narrower than a chunk", 0, 100, 5, 8, {{0, 5}, {5, 10}}, {{0, 5}, {5, 5}}},
        {"the end reached", 0, 10, 64, 8, {{0, 10}, {10, 10}, {200, 10}}, {{0, 8}, {8, 2}}},
    };
    for (const auto& c : cases) {
        CRecorder<Request> recorder;
        {
            CReadAheadThread ahead(
                [&](std::uint64_t offset, std::uint64_t length) {
                    recorder.Add({offset, length}, offset + length);
                },
                c.start, c.end, c.window, c.chunk);
            for (const auto& [position, end] : c.steps) {
                ahead.Reached(position);
                ASSERT_TRUE(recorder.WaitForEnd(end)) << c.name << ": after " << position;
            }
        }
        EXPECT_EQ(recorder.Taken(), c.expected) << c.name;
    }
}

// Files read in turn: each request lands in the files it covers, at their own offsets.
TEST(ReadAheadTest, HintsEachFileForItsOwnPart) {
    test::TempFolder tmp;
    const std::vector<std::pair<std::string, std::size_t>> files = {
        {"a.001", 6 << 20}, {"a.002", 0}, {"a.003", 5 << 20}, {"a.004", 3 << 20}};
    std::vector<std::string> paths;
    for (const auto& [name, size] : files) {
        test::WriteWholeFile(tmp.Path(name), std::string(size, 'x'));
        paths.push_back(tmp.Path(name));
    }
    paths.push_back(tmp.Path("missing.005"));  // left for the copy to report
    using Hint = std::tuple<std::string, std::uint64_t, std::uint64_t>;
    CRecorder<Hint> recorder;
    constexpr std::uint64_t kMiB = 1 << 20;
    std::uint64_t run = 0;  // the end of the run hinted so far
    {
        CReadAhead ahead(paths, 8,
                         [&](const std::string& path, std::uint64_t offset, std::uint64_t length) {
                             run += length;
                             recorder.Add({path.substr(path.size() - 5), offset, length}, run);
                         });
        ASSERT_TRUE(recorder.WaitForEnd(14 * kMiB - 8));
        // Nothing is asked for twice, nor for a file that is not there.
        ahead.Reached(3, 2 * kMiB);
        ahead.Reached(4, 0);
    }
    EXPECT_EQ(recorder.Taken(), (std::vector<Hint>{{"a.001", 8, 4 * kMiB},
                                                   {"a.001", 4 * kMiB + 8, 2 * kMiB - 8},
                                                   {"a.003", 0, 2 * kMiB + 8},
                                                   {"a.003", 2 * kMiB + 8, 3 * kMiB - 8},
                                                   {"a.004", 0, kMiB + 8},
                                                   {"a.004", kMiB + 8, 2 * kMiB - 8}}));
}

}  // namespace
}  // namespace scx::pieces
