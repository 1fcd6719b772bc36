#include "DialogWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QUrl>
#include <algorithm>

#include "AnimationWidget.h"
#include "Dialog.h"
#include "Host.h"
#include "ListViewWidget.h"
#include "QtDc.h"
#include "QtText.h"
#include "Resources.h"

namespace scx {

namespace {

// Multi-line edits hand their text out with CR LF line breaks, as the platform does.
std::string WithCrLf(const QString& text) {
    QString copy = text;
    copy.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return copy.toStdString();
}

QString WithoutCr(const std::string& text) {
    QString copy = ToQString(text);
    copy.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return copy;
}

}  // namespace

ClientArea::ClientArea(CDialog& owner, QWidget* parent) : QWidget(parent), m_owner(owner) {}

void ClientArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QtDc dc(painter, palette());
    m_owner.PaintClient(dc);
}

DialogWindow::DialogWindow(CDialog& owner)
    : QDialog(nullptr), m_owner(owner), m_client(new ClientArea(owner, this)) {}

QWidget* DialogWindow::Control(int id) const {
    auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

void DialogWindow::WatchEdit(QWidget* edit, bool wantsReturn) {
    edit->setProperty("scxWantsReturn", wantsReturn);
    edit->installEventFilter(this);
}

int DialogWindow::ControlIdOf(const QObject* widget) {
    const QVariant id = widget != nullptr ? widget->property("scxControlId") : QVariant();
    return id.isValid() ? id.toInt() : win::IDC_STATIC;
}

// The window.

void DialogWindow::SetCaption(const std::string& caption) {
    setWindowTitle(ToQString(caption));
}

std::string DialogWindow::Caption() const {
    return windowTitle().toStdString();
}

void DialogWindow::SetIcon(int iconId) {
    const std::string_view path = res::ImagePath(iconId);
    setWindowIcon(QIcon(ToQString(path)));
}

void DialogWindow::PaintNow() {
    repaint();
}

void DialogWindow::Show() {
    show();
    QApplication::setActiveWindow(this);
}

void DialogWindow::Hide() {
    hide();
}

void DialogWindow::EndModal(int result) {
    m_finishing = true;
    done(result);
    m_finishing = false;
}

void DialogWindow::ShowMinimized() {
    showMinimized();
}

void DialogWindow::ShowNormal() {
    showNormal();
}

void DialogWindow::AcceptFiles(bool accept) {
    setAcceptDrops(accept);
    // The drop belongs to the window, as on the platform: an edit under the cursor must not
    // take the file's path as text.
    for (QWidget* child : findChildren<QWidget*>()) {
        child->setAcceptDrops(false);
    }
}

// Any control.

std::string DialogWindow::Text(int id) const {
    QWidget* widget = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return edit->text().toStdString();
    }
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        return WithCrLf(edit->toPlainText());
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text().toStdString();
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text().toStdString();
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        return group->title().toStdString();
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        return combo->currentText().toStdString();
    }
    return {};
}

void DialogWindow::SetText(int id, const std::string& text) {
    QWidget* widget = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(ToQString(text));
        edit->setCursorPosition(0);
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
        edit->setPlainText(WithoutCr(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(ToQString(text));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(ToQString(text));
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(ToQString(text));
    }
}

void DialogWindow::Enable(int id, bool enable) {
    Control(id)->setEnabled(enable);
}

bool DialogWindow::IsEnabled(int id) const {
    return Control(id)->isEnabled();
}

void DialogWindow::SetChecked(int id, bool checked) {
    ControlAs<QAbstractButton>(id)->setChecked(checked);
}

bool DialogWindow::IsChecked(int id) const {
    return ControlAs<QAbstractButton>(id)->isChecked();
}

void DialogWindow::SetFocus(int id) {
    Control(id)->setFocus(Qt::OtherFocusReason);
}

int DialogWindow::FocusId() const {
    QWidget* focus = focusWidget();
    for (const auto& [id, widget] : m_controls) {
        if (widget == focus) {
            return id;
        }
    }
    return win::IDC_STATIC;
}

// Combo boxes.

int DialogWindow::ComboCount(int id) const {
    return ControlAs<QComboBox>(id)->count();
}

int DialogWindow::ComboSelection(int id) const {
    return ControlAs<QComboBox>(id)->currentIndex();
}

void DialogWindow::SelectComboItem(int id, int index) {
    ControlAs<QComboBox>(id)->setCurrentIndex(index);
}

std::string DialogWindow::ComboItem(int id, int index) const {
    return ControlAs<QComboBox>(id)->itemText(index).toStdString();
}

void DialogWindow::AddComboItem(int id, const std::string& text) {
    ControlAs<QComboBox>(id)->addItem(ToQString(text));
}

void DialogWindow::DeleteComboItem(int id, int index) {
    ControlAs<QComboBox>(id)->removeItem(index);
}

// List views.

int DialogWindow::ListColumnCount(int id) const {
    return ControlAs<ListViewWidget>(id)->Rows().columnCount();
}

void DialogWindow::InsertListColumn(int id, int column, const std::string& heading, int width) {
    ControlAs<ListViewWidget>(id)->InsertColumn(column, heading, width);
}

std::string DialogWindow::ListColumnHeading(int id, int column) const {
    return ControlAs<ListViewWidget>(id)->Rows().Heading(column);
}

int DialogWindow::ListColumnWidth(int id, int column) const {
    return ControlAs<ListViewWidget>(id)->ColumnWidth(column);
}

int DialogWindow::ListRowCount(int id) const {
    return ControlAs<ListViewWidget>(id)->Rows().rowCount();
}

void DialogWindow::InsertListRow(int id, int row, const std::string& text) {
    ControlAs<ListViewWidget>(id)->Rows().InsertRow(row, text);
}

void DialogWindow::SetListText(int id, int row, int column, const std::string& text) {
    ControlAs<ListViewWidget>(id)->Rows().SetText(row, column, text);
}

std::string DialogWindow::ListText(int id, int row, int column) const {
    return ControlAs<ListViewWidget>(id)->Rows().Text(row, column);
}

void DialogWindow::DeleteListRow(int id, int row) {
    ControlAs<ListViewWidget>(id)->Rows().RemoveRow(row);
}

void DialogWindow::DeleteAllListRows(int id) {
    ControlAs<ListViewWidget>(id)->Rows().RemoveAllRows();
}

std::vector<int> DialogWindow::SelectedListRows(int id) const {
    return ControlAs<ListViewWidget>(id)->SelectedRows();
}

void DialogWindow::SelectListRow(int id, int row, bool selected) {
    ControlAs<ListViewWidget>(id)->SetRowSelected(row, selected);
}

// Progress bars.

void DialogWindow::SetProgressRange(int id, int lower, int upper) {
    ControlAs<QProgressBar>(id)->setRange(lower, upper);
}

int DialogWindow::ProgressLower(int id) const {
    return ControlAs<QProgressBar>(id)->minimum();
}

int DialogWindow::ProgressUpper(int id) const {
    return ControlAs<QProgressBar>(id)->maximum();
}

void DialogWindow::SetProgressPos(int id, int position) {
    ControlAs<QProgressBar>(id)->setValue(position);
}

int DialogWindow::ProgressPos(int id) const {
    return ControlAs<QProgressBar>(id)->value();
}

AnimationPlayer& DialogWindow::Animation(int id) {
    return ControlAs<AnimationWidget>(id)->Player();
}

// The dialog manager's keys and the window's commands.

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (plain && event->key() == Qt::Key_Escape) {
        m_owner.PressEscape();
    } else if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        m_owner.PressEnter();
    } else {
        QDialog::keyPressEvent(event);
    }
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && qobject_cast<QRadioButton*>(watched) != nullptr) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool forward = key->key() == Qt::Key_Down || key->key() == Qt::Key_Right;
        const bool backward = key->key() == Qt::Key_Up || key->key() == Qt::Key_Left;
        if (key->modifiers() == Qt::NoModifier && (forward || backward)) {
            m_owner.MoveInRadioGroup(ControlIdOf(watched), forward);
            return true;
        }
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool isReturn = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (isReturn && !watched->property("scxWantsReturn").toBool() &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            m_owner.PressEnter();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            m_owner.PressEscape();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut && watched->property("scxWantsReturn").isValid()) {
        // An edit losing the focus to another control or window of ours; not to a popup or
        // when the whole application is deactivated.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
            !m_owner.IsEnded()) {
            m_owner.SendNotify(Notify::KillFocus, ControlIdOf(watched));
        }
    }
    return QDialog::eventFilter(watched, event);
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    if (m_finishing || m_owner.IsEnded()) {
        event->accept();
        return;
    }
    event->ignore();
    m_owner.SendSysCommand(win::SC_CLOSE);
}

void DialogWindow::reject() {
    if (m_finishing || m_owner.IsEnded()) {
        QDialog::reject();
        return;
    }
    m_owner.SendCommand(win::IDCANCEL);
}

void DialogWindow::accept() {
    m_owner.SendCommand(win::IDOK);
}

void DialogWindow::contextMenuEvent(QContextMenuEvent* event) {
    const auto& items = m_owner.SystemMenu().Items();
    if (items.empty()) {
        return;
    }
    QMenu menu(this);
    for (const CMenu::Item& item : items) {
        if ((item.flags & CMenu::MF_SEPARATOR) != 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromStdString(item.text));
        action->setEnabled((item.flags & CMenu::MF_GRAYED) == 0);
        action->setData(item.command);
    }
    // The command runs once the menu has closed, as a system command does.
    if (QAction* chosen = menu.exec(event->globalPos()); chosen != nullptr) {
        m_owner.SendSysCommand(chosen->data().toUInt());
    }
}

bool DialogWindow::TakesDrop(const QDropEvent& event) const {
    if (!m_owner.AcceptsDroppedFiles() || m_owner.IsInHandler() || !event.mimeData()->hasUrls()) {
        return false;
    }
    const QList<QUrl> urls = event.mimeData()->urls();
    return !urls.isEmpty() &&
           std::all_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

void DialogWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (TakesDrop(*event)) {
        event->acceptProposedAction();
    }
}

void DialogWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (TakesDrop(*event)) {
        event->acceptProposedAction();
    }
}

void DialogWindow::dropEvent(QDropEvent* event) {
    if (!TakesDrop(*event)) {
        return;
    }
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        paths.push_back(url.toLocalFile().toStdString());
    }
    event->acceptProposedAction();
    m_owner.DropFiles(paths);
}

}  // namespace scx
