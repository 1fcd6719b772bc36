// The test kit's user actions on Qt windows.
#include <QAbstractItemView>
#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <memory>

#include "Dialog.h"
#include "DialogBuilder.h"
#include "DialogWindow.h"
#include "QtHost.h"
#include "UiDriver.h"

namespace scx::testkit {

namespace {

DialogWindow& WindowOf(const CDialog& dialog) {
    return static_cast<DialogWindow&>(dialog.Peer());
}

Qt::Key QtKey(Key key) {
    switch (key) {
        case Key::Return:
            return Qt::Key_Return;
        case Key::Escape:
            return Qt::Key_Escape;
        case Key::Tab:
            return Qt::Key_Tab;
        case Key::Up:
            return Qt::Key_Up;
        case Key::Down:
            return Qt::Key_Down;
        case Key::Left:
            return Qt::Key_Left;
        case Key::Right:
            return Qt::Key_Right;
    }
    return Qt::Key_unknown;
}

QMimeData* FileUrls(const std::vector<std::string>& paths) {
    QList<QUrl> urls;
    for (const std::string& path : paths) {
        urls << QUrl::fromLocalFile(QString::fromStdString(path));
    }
    auto* data = new QMimeData;
    data->setUrls(urls);
    return data;
}

bool DragEnter(DialogWindow& window, QMimeData* data) {
    std::unique_ptr<QMimeData> owned(data);
    QDragEnterEvent enter(window.rect().center(), Qt::CopyAction, data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    return enter.isAccepted();
}

}  // namespace

void PressKey(CDialog& dialog, int id, Key key) {
    DialogWindow& window = WindowOf(dialog);
    QWidget* target = id == win::IDC_STATIC ? window.focusWidget() : window.Control(id);
    QTest::keyClick(target != nullptr ? target : &window, QtKey(key));
}

void TypeText(CDialog& dialog, int id, const std::string& text) {
    QTest::keyClicks(WindowOf(dialog).Control(id), QString::fromStdString(text));
}

void ClickCloseBox(CDialog& dialog) {
    WindowOf(dialog).close();
}

void ClickUpDownArrow(CDialog& dialog, int id, int direction) {
    const auto arrows = WindowOf(dialog).Control(id)->findChildren<QToolButton*>();
    for (QToolButton* arrow : arrows) {
        if (arrow->arrowType() == (direction > 0 ? Qt::UpArrow : Qt::DownArrow)) {
            arrow->click();
        }
    }
}

bool DragFiles(CDialog& dialog, const std::vector<std::string>& paths) {
    return DragEnter(WindowOf(dialog), FileUrls(paths));
}

std::optional<bool> DragUrls(CDialog& dialog, const std::vector<std::string>& urls) {
    QList<QUrl> list;
    for (const std::string& url : urls) {
        list << QUrl(QString::fromStdString(url));
    }
    auto* data = new QMimeData;
    data->setUrls(list);
    return DragEnter(WindowOf(dialog), data);
}

bool DropFiles(CDialog& dialog, const std::vector<std::string>& paths) {
    if (!DragFiles(dialog, paths)) {
        return false;
    }
    DialogWindow& window = WindowOf(dialog);
    std::unique_ptr<QMimeData> data(FileUrls(paths));
    QDropEvent drop(QPointF(window.rect().center()), Qt::CopyAction, data.get(), Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    return drop.isAccepted();
}

bool ControlTakesDrops(const CDialog& dialog, int id) {
    return WindowOf(dialog).Control(id)->acceptDrops();
}

std::string ShownListText(const CDialog& dialog, int id, int row, int column) {
    const auto* list = qobject_cast<QAbstractItemView*>(WindowOf(dialog).Control(id));
    return list->model()->index(row, column).data().toString().toStdString();
}

PixelRect ClientRect(const CDialog& dialog) {
    const QSize size = WindowOf(dialog).Client()->size();
    return {0, 0, size.width(), size.height()};
}

PixelRect ControlRect(const CDialog& dialog, int id) {
    const QRect rect = WindowOf(dialog).Control(id)->geometry();
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

BaseUnits DialogBaseUnits(const CDialog& dialog) {
    return ComputeBaseUnits(WindowOf(dialog).Client()->font());
}

bool HasWindowIcon(const CDialog& dialog) {
    return !WindowOf(dialog).windowIcon().pixmap(32, 32).isNull();
}

ClientImage GrabClient(CDialog& dialog) {
    const QImage image =
        WindowOf(dialog).Client()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ClientImage grabbed{image.width(), image.height(), {}};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            grabbed.pixels.push_back(image.pixel(x, y) & 0xFFFFFFu);
        }
    }
    return grabbed;
}

Host& ToolkitHost() {
    static QtHost host;
    return host;
}

void WatchCaption(CDialog& dialog, std::function<void(const std::string&)> observer) {
    QObject::connect(&WindowOf(dialog), &QWidget::windowTitleChanged,
                     [observer](const QString& title) { observer(title.toStdString()); });
}

void WatchProgress(CDialog& dialog, int id, std::function<void(int)> observer) {
    auto* bar = qobject_cast<QProgressBar*>(WindowOf(dialog).Control(id));
    QObject::connect(bar, &QProgressBar::valueChanged, observer);
}

}  // namespace scx::testkit
