#include "HelpGuide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#include "Assets.h"
#include "Resources.h"

namespace scx {

namespace {

// Beside the program in the build tree; in the data folder, found relative to the
// program's own folder, once installed.
QString GuideFolder() {
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QString installed =
        QDir::cleanPath(programDir.filePath(QStringLiteral(SCX_DATA_FROM_BIN)));
    const QString name = QString::fromUtf8(res::kGuideFileName.data(),
                                           static_cast<qsizetype>(res::kGuideFileName.size()));
    return QFileInfo(QDir(installed).filePath(name)).isFile() ? installed : programDir.path();
}

}  // namespace

std::string HelpGuideLocation() {
    const QString fallback =
        QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation)).filePath("scindarex");
    const QString file = res::GuideFile(GuideFolder(), fallback);
    return QUrl::fromLocalFile(file).toString().toStdString();
}

}  // namespace scx
