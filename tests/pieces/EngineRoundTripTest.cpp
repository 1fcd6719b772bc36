#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "EngineFixture.h"

namespace scx::test {
namespace {

using pieces::EngineResult;

TEST_F(EngineTest, SplitThenJoinGivesTheSameBytes) {
    // Extension as cut -> extension of the joined file.
    const std::map<std::string, std::string> extensions = {
        {"avi", "avi"},   {"jpeg", "jpeg"}, {"torrent", "tor"}, {"", ""},
        {"z", "z"},       {"gz", "gz"},     {"été", "été"},     {"çà", "çà"},
        {"mpeg4", "mpe"}, {"tx t", "tx t"}, {"mp€", "mp€"},     {"→→", "→"},
    };
    const unsigned seed = 20240611;
    std::mt19937 random(seed);
    std::filesystem::create_directory(m_tmp.Path("out"));
    const std::string out = m_tmp.Path("out/");
    int run = 0;
    for (const auto& [extension, joined] : extensions) {
        for (int i = 0; i < 5; ++i, ++run) {
            const std::size_t size = std::uniform_int_distribution<std::size_t>(0, 150'000)(random);
            const std::int64_t kb = std::uniform_int_distribution<std::int64_t>(1, 40)(random);
            const std::string where = "seed " + std::to_string(seed) + " run " +
                                      std::to_string(run) + " ." + extension + " " +
                                      std::to_string(size) + " bytes at " + std::to_string(kb);
            for (const auto& folder : {DstFolder(), out}) {
                std::filesystem::remove_all(folder);
                std::filesystem::create_directory(folder);
            }
            const std::string bytes = PatternBytes(size, static_cast<unsigned>(run));
            const EngineResult cut = Split(SplitOf("f", extension, bytes, kb));
            if (static_cast<std::uint64_t>(kb) * 1024 > size) {
                EXPECT_EQ(cut, EngineResult::refused) << where;
                continue;
            }
            ASSERT_EQ(cut, EngineResult::done) << where;
            EXPECT_EQ(DstFiles().size(), size / (static_cast<std::size_t>(kb) * 1024) + 1) << where;
            ASSERT_EQ(Join(JoinOf(Dst("f.001"), out, false)), EngineResult::done) << where;
            const std::string name = joined.empty() ? "f" : "f." + joined;
            EXPECT_TRUE(ReadWholeFile(out + name) == bytes) << where;
        }
    }
}

// A 5 GiB file that is almost all hole, in pieces of 1 GiB: 5 full pieces and an empty
// sixth. The holes stay holes, so this costs a few blocks and no time.
TEST_F(EngineTest, SparseFiveGiBFileRoundTrips) {
#ifdef _WIN32
    GTEST_SKIP() << "the file object keeps no holes on Windows: they are copied as zeros";
#else
    constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
    constexpr std::uint64_t kLength = 5 * kGiB;
    const std::map<std::uint64_t, std::string> marks = {
        {0, "head"}, {kGiB - 3, "across-the-cut"}, {kGiB * 7 / 2, "middle"}, {kLength - 4, "tail"}};

    const std::string source = Src("disk.img");
    {
        const int fd = ::open(source.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(kLength)), 0);
        for (const auto& [offset, text] : marks) {
            ASSERT_EQ(::pwrite(fd, text.data(), text.size(), static_cast<off_t>(offset)),
                      static_cast<ssize_t>(text.size()));
        }
        const off_t firstHole = ::lseek(fd, 0, SEEK_HOLE);
        ::close(fd);
        if (firstHole < 0 || static_cast<std::uint64_t>(firstHole) >= kLength) {
            GTEST_SKIP() << "the file system of " << source << " does not report holes";
        }
    }

    pieces::SplitOptions options;
    options.sourcePath = source;
    options.sourceExtension = "img";
    options.baseName = "disk";
    options.destFolder = DstFolder();
    options.selectedLength = kLength;
    options.partitionKb = 1024 * 1024;
    options.pieceCount = 6;
    ASSERT_EQ(Split(options), EngineResult::done);

    std::uint64_t allocated = 0;
    for (int k = 1; k <= 6; ++k) {
        const std::string piece = Dst("disk.00" + std::to_string(k));
        EXPECT_EQ(std::filesystem::file_size(piece), k == 1 ? kGiB + 8 : k == 6 ? 0 : kGiB);
        struct stat info {};
        ASSERT_EQ(::stat(piece.c_str(), &info), 0);
        allocated += static_cast<std::uint64_t>(info.st_blocks) * 512;
    }
    EXPECT_LT(allocated, std::uint64_t{64} << 20);

    std::filesystem::create_directory(m_tmp.Path("out"));
    ASSERT_EQ(Join(JoinOf(Dst("disk.001"), m_tmp.Path("out/"), false)), EngineResult::done);
    const std::string joined = m_tmp.Path("out/disk.img");
    ASSERT_EQ(std::filesystem::file_size(joined), kLength);

    // Every byte outside the data runs is a hole, so reading the runs checks the file.
    const int fd = ::open(joined.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    std::string expected, actual;
    off_t data = 0;
    std::uint64_t checked = 0;
    while ((data = ::lseek(fd, data, SEEK_DATA)) >= 0) {
        const off_t hole = ::lseek(fd, data, SEEK_HOLE);
        ASSERT_GT(hole, data);
        const auto begin = static_cast<std::uint64_t>(data);
        const auto size = static_cast<std::size_t>(hole - data);
        ASSERT_LT(size, std::size_t{64} << 20);
        expected.assign(size, '\0');
        for (const auto& [offset, text] : marks) {
            for (std::size_t i = 0; i < text.size(); ++i) {
                if (offset + i >= begin && offset + i < begin + size) {
                    expected[offset + i - begin] = text[i];
                }
            }
        }
        actual.assign(size, '\0');
        ASSERT_EQ(::pread(fd, actual.data(), size, data), static_cast<ssize_t>(size));
        EXPECT_TRUE(actual == expected) << "data run at " << begin;
        checked += size;
        data = hole;
    }
    for (const auto& [offset, text] : marks) {
        std::string found(text.size(), '\0');
        ASSERT_EQ(::pread(fd, found.data(), found.size(), static_cast<off_t>(offset)),
                  static_cast<ssize_t>(found.size()));
        EXPECT_EQ(found, text) << offset;
    }
    ::close(fd);
    EXPECT_GT(checked, 0u);
#endif
}

// The first of these tools found on the PATH, or "".
std::string FindTool(const std::vector<std::string>& names) {
    for (const auto& name : names) {
        if (std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0) {
            return name;
        }
    }
    return {};
}

int RunIn(const std::string& folder, const std::string& command) {
    return std::system(("cd '" + folder + "' && " + command + " >/dev/null 2>&1").c_str());
}

TEST_F(EngineTest, JoinsAGnuSplitSetInHJSplitMode) {
    if (FindTool({"split"}).empty()) {
        GTEST_SKIP() << "GNU split is not installed";
    }
    const std::string bytes = PatternBytes(3'000'001, 11);
    WriteWholeFile(Src("f.ext"), bytes);
    ASSERT_EQ(RunIn(SrcFolder(), "split -b 1000000 -a 3 --numeric-suffixes=1 f.ext f.ext."), 0);
    ASSERT_TRUE(std::filesystem::exists(Src("f.ext.004")));
    std::filesystem::remove(Src("f.ext"));

    ASSERT_EQ(Join(JoinOf(Src("f.ext.001"), DstFolder(), true)), EngineResult::done);
    EXPECT_TRUE(ReadWholeFile(Dst("f.ext")) == bytes);
}

TEST_F(EngineTest, Joins7ZipVolumesInHJSplitMode) {
    const std::string sevenZip = FindTool({"7z", "7zz", "7za"});
    if (sevenZip.empty()) {
        GTEST_SKIP() << "7-Zip is not installed (Debian package 7zip)";
    }
    WriteWholeFile(Src("payload.bin"), PatternBytes(2'600'000, 12));
    WriteWholeFile(Src("notes.txt"), "Scindarex\n");
    ASSERT_EQ(RunIn(SrcFolder(), sevenZip + " a -mx0 -v1m x.7z payload.bin notes.txt"), 0);
    ASSERT_TRUE(std::filesystem::exists(Src("x.7z.003")));
    std::string volumes;
    for (int k = 1; k <= 3; ++k) {
        volumes += ReadWholeFile(Src("x.7z.00" + std::to_string(k)));
    }

    ASSERT_EQ(Join(JoinOf(Src("x.7z.001"), DstFolder(), true)), EngineResult::done);
    EXPECT_TRUE(ReadWholeFile(Dst("x.7z")) == volumes);
    EXPECT_EQ(RunIn(DstFolder(), sevenZip + " t x.7z"), 0);
}

}  // namespace
}  // namespace scx::test
