#include "Assets.h"

#include <QFile>

#include "Resources.h"

namespace scx::res {

std::string GuideContent() {
    QFile source(QString::fromUtf8(kGuideResourcePath.data(),
                                   static_cast<qsizetype>(kGuideResourcePath.size())));
    if (!source.open(QIODevice::ReadOnly)) {
        return {};
    }
    return source.readAll().toStdString();
}

}  // namespace scx::res
