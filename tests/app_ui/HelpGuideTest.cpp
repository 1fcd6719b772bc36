// Where "Aide en ligne" finds the guide once the program is installed.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QUrl>

#include "HelpGuide.h"

namespace scx {
namespace {

// Installed, the guide is in the data folder found relative to the program's own folder,
// so that a package unpacked under any root still finds it.
TEST(HelpGuideTest, TheGuideOfTheDataFolderBesideBinIsOpened) {
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QString folder =
        QDir::cleanPath(programDir.filePath(QStringLiteral(SCX_DATA_FROM_BIN "/help")));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString guide = QDir(folder).filePath(QStringLiteral("guide.html"));
    QFile file(guide);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("<html lang=\"fr\"></html>");
    file.close();

    const std::string location = HelpGuideLocation();
    QFile::remove(guide);
    EXPECT_EQ(location, QUrl::fromLocalFile(guide).toString().toStdString());
    // Without it, the copy beside the program or from the resources is opened instead.
    EXPECT_NE(HelpGuideLocation(), location);
}

}  // namespace
}  // namespace scx
