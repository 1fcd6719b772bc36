#include "HelpGuide.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QUrl>

#include "Assets.h"

namespace scx {

std::string HelpGuideLocation() {
    const QString fallback =
        QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation)).filePath("scindarex");
    const QString file = res::GuideFile(QCoreApplication::applicationDirPath(), fallback);
    return QUrl::fromLocalFile(file).toString().toStdString();
}

}  // namespace scx
