// The compiled resource file: pictures and clips render at their declared sizes, the
// resource file matches resources.qrc, and the user guide is whole and reachable.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include "Assets.h"
#include "Resources.h"

namespace scx::res {
namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string S(const QString& text) {
    return text.toStdString();
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage Render(const QString& path, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

double CoveredFraction(const QImage& image) {
    int covered = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            covered += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        }
    }
    return double(covered) / (image.width() * image.height());
}

struct Picture {
    QString path;
    QSize size;
};

std::vector<Picture> AllPictures() {
    std::vector<Picture> pictures = {
        {Q(ImagePath(IDR_MAINFRAME)), {32, 32}},
        // Sized for their boxes in the About box (221 x 50 dialog units) and the main
        // window (39 x 36) at 8 points.
        {Q(ImagePath(IDB_ABOUT)), {387, 81}},
        {Q(ImagePath(IDB_LOGO)), {59, 59}},
    };
    for (const auto& [clip, size] :
         {std::pair{IDR_AVI_JOIN, QSize(37, 34)}, std::pair{IDR_AVI_SPLIT, QSize(37, 29)}}) {
        for (std::string_view frame : AnimationFrames(clip)) {
            pictures.push_back({Q(frame), size});
        }
    }
    return pictures;
}

TEST(Assets, ResourcesRegisterWithoutInitCall) {
    EXPECT_TRUE(QFile::exists(Q(ImagePath(IDR_MAINFRAME))));
}

TEST(Assets, PicturesRenderAtTheirSize) {
    const auto pictures = AllPictures();
    ASSERT_EQ(pictures.size(), 3u + 5u + 5u);  // three pictures, two clips of five frames
    for (const Picture& picture : pictures) {
        SCOPED_TRACE(picture.path.toStdString());
        QSvgRenderer renderer(picture.path);
        ASSERT_TRUE(renderer.isValid());
        EXPECT_EQ(renderer.defaultSize(), picture.size);
        EXPECT_EQ(renderer.viewBoxF(), QRectF(QPointF(0, 0), QSizeF(picture.size)));
        EXPECT_GT(CoveredFraction(Render(picture.path, picture.size)), 0.15);
    }
}

// Each frame moves the picture on; two equal frames in a row would look like a stall.
TEST(Assets, ClipFramesDiffer) {
    for (const auto& [clip, size] :
         {std::pair{IDR_AVI_JOIN, QSize(37, 34)}, std::pair{IDR_AVI_SPLIT, QSize(37, 29)}}) {
        const auto& frames = AnimationFrames(clip);
        for (std::size_t i = 0; i < frames.size(); ++i) {
            const auto& next = frames[(i + 1) % frames.size()];
            EXPECT_NE(Render(Q(frames[i]), size), Render(Q(next), size))
                << frames[i] << " and " << next;
        }
    }
}

TEST(Assets, ResourceFileMatchesQrc) {
    const QString qrc = QString::fromUtf8(ReadAll(QStringLiteral(SCX_RESOURCES_QRC)));
    ASSERT_FALSE(qrc.isEmpty());
    std::set<std::string> listed;
    std::set<QString> folders;
    const QRegularExpression entry(
        QStringLiteral(R"re(<file(?: alias="([^"]+)")?>([^<]+)</file>)re"));
    for (auto it = entry.globalMatch(qrc); it.hasNext();) {
        const auto match = it.next();
        const QString name = match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
        listed.insert(":/" + name.toStdString());
        folders.insert(":/" + name.section('/', 0, 0));
    }

    // Qt registers resources of its own; only our folders are compared.
    std::set<std::string> compiled;
    for (const QString& folder : folders) {
        for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            compiled.insert(it.next().toStdString());
        }
    }
    EXPECT_EQ(compiled, listed);

    for (const Picture& picture : AllPictures()) {
        EXPECT_EQ(compiled.count(picture.path.toStdString()), 1u) << picture.path.toStdString();
    }
    EXPECT_EQ(compiled.count(std::string(kGuideResourcePath)), 1u);
}

TEST(Guide, IsFrenchSelfContainedHtml) {
    const QByteArray bytes = ReadAll(Q(kGuideResourcePath));
    ASSERT_FALSE(bytes.isEmpty());
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString html = decode(bytes);
    EXPECT_FALSE(decode.hasError());
    EXPECT_TRUE(html.contains(QStringLiteral("<html lang=\"fr\">")));
    EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    EXPECT_FALSE(html.contains(QStringLiteral("<link")));
    EXPECT_FALSE(html.contains(QStringLiteral("<script")));
    EXPECT_FALSE(html.contains(QStringLiteral("src=")));

    // Every link is to a section of the page itself, and that section exists.
    const QRegularExpression link(QStringLiteral(R"re(href="([^"]*)")re"));
    int links = 0;
    for (auto it = link.globalMatch(html); it.hasNext(); ++links) {
        const QString target = it.next().captured(1);
        ASSERT_TRUE(target.startsWith('#')) << target.toStdString();
        EXPECT_TRUE(html.contains("id=\"" + target.mid(1) + "\"")) << target.toStdString();
    }
    EXPECT_GE(links, 10);
}

TEST(Guide, CopyBesideTheProgramMatchesTheResource) {
    EXPECT_EQ(ReadAll(QStringLiteral(SCX_INSTALLED_GUIDE)), ReadAll(Q(kGuideResourcePath)));
}

TEST(Guide, GuideFilePrefersTheInstalledCopy) {
    const QByteArray resource = ReadAll(Q(kGuideResourcePath));
    QTemporaryDir program, fallback;
    ASSERT_TRUE(program.isValid() && fallback.isValid());
    const QString relative = Q(kGuideFileName);

    // Nothing installed: the resource copy is written out, over any stale one.
    const QString written = fallback.filePath(relative);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(written).absolutePath()));
    QFile stale(written);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("ancienne version");
    stale.close();
    EXPECT_EQ(Q(GuideFile(S(program.path()), S(fallback.path()))),
              QFileInfo(written).absoluteFilePath());
    EXPECT_EQ(ReadAll(written), resource);

    // Installed: used as it is.
    const QString installed = program.filePath(relative);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(installed).absolutePath()));
    QFile copy(installed);
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write("<html></html>");
    copy.close();
    EXPECT_EQ(Q(GuideFile(S(program.path()), S(fallback.path()))), installed);

    // Neither: a fallback folder that cannot be made.
    QTemporaryDir empty;
    const QString blocker = fallback.filePath("blocker");
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(GuideFile(S(empty.path()), S(blocker)), "");
}

}  // namespace
}  // namespace scx::res
