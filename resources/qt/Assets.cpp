#include "Assets.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "Resources.h"

namespace scx::res {

namespace {
QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

QString GuideFile(const QString& programDir, const QString& fallbackDir) {
    const QString relative = FromView(kGuideFileName);
    const QString installed = QDir(programDir).filePath(relative);
    if (QFileInfo(installed).isFile()) {
        return installed;
    }

    QFile source(FromView(kGuideResourcePath));
    if (!source.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray content = source.readAll();

    // Rewritten every time: a stale copy from an older version must not be shown.
    const QString copy = QDir(fallbackDir).filePath(relative);
    if (!QDir().mkpath(QFileInfo(copy).absolutePath())) {
        return {};
    }
    QFile out(copy);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(content) != content.size() || !out.flush()) {
        return {};
    }
    return QFileInfo(copy).absoluteFilePath();
}

}  // namespace scx::res
