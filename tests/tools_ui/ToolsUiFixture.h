#pragma once
// The fixture of the file tools' dialog tests: a scripted host, a scratch folder, and
// the current folder put back after file dialogs changed it.

#include <filesystem>
#include <string>

#include "GuiTest.h"
#include "TestFiles.h"

namespace scx::testkit {

class ToolsUiTest : public GuiTest {
  protected:
    void SetUp() override {
        GuiTest::SetUp();
        m_previousDirectory = std::filesystem::current_path();
    }
    void TearDown() override {
        std::filesystem::current_path(m_previousDirectory);
        GuiTest::TearDown();
    }
    // A file holding `bytes`, by the path the file layer resolves.
    std::string NewFile(const std::string& name, const std::string& bytes) {
        const std::string path =
            std::filesystem::canonical(dir.Path()).string() + testkit::Native("/") + name;
        WriteFile(path, bytes);
        return path;
    }

    TempDir dir;

  private:
    std::filesystem::path m_previousDirectory;
};

}  // namespace scx::testkit
