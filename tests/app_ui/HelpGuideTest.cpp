// Where "Aide en ligne" finds the guide once the program is installed.
#include <gtest/gtest.h>

#include <filesystem>

#include "HelpGuide.h"
#include "TestFiles.h"

namespace scx {
namespace {

using testkit::ReadFile;
using testkit::WriteFile;

// Installed, the guide is in the data folder found relative to the program's own folder,
// so that a package unpacked under any root still finds it.
TEST(HelpGuideTest, TheGuideOfTheDataFolderBesideBinIsOpened) {
    const testkit::TempDir root;
    const std::string bin = root / "bin";
    const std::filesystem::path data = std::filesystem::path(bin) / SCX_DATA_FROM_BIN / "help";
    std::filesystem::create_directories(data);
    const std::string installed = (data / "guide.html").lexically_normal().string();
    WriteFile(installed, "<html lang=\"fr\"></html>");
    std::filesystem::create_directories(bin);

    EXPECT_EQ(std::filesystem::path(HelpGuideFile(bin)), std::filesystem::path(installed));
    // Without it, a copy from the resources is opened instead.
    std::filesystem::remove(installed);
    const std::string copy = HelpGuideFile(bin);
    EXPECT_NE(std::filesystem::path(copy), std::filesystem::path(installed));
    EXPECT_NE(ReadFile(copy).find("lang=\"fr\""), std::string::npos);
}

}  // namespace
}  // namespace scx
