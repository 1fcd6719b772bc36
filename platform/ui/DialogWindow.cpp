#include "DialogWindow.h"

#include <algorithm>

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>

#include "Dialog.h"
#include "Host.h"

namespace scx {

ClientArea::ClientArea(CDialog& owner, QWidget* parent) : QWidget(parent), m_owner(owner) {}

void ClientArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_owner.PaintClient(painter);
}

DialogWindow::DialogWindow(CDialog& owner)
    : QDialog(nullptr), m_owner(owner), m_client(new ClientArea(owner, this)) {}

void DialogWindow::WatchEdit(QWidget* edit, int id, bool wantsReturn) {
    edit->setProperty("scxControlId", id);
    edit->setProperty("scxWantsReturn", wantsReturn);
    edit->installEventFilter(this);
}

int DialogWindow::ControlIdOf(const QObject* widget) const {
    const QVariant id = widget != nullptr ? widget->property("scxControlId") : QVariant();
    return id.isValid() ? id.toInt() : win::IDC_STATIC;
}

void DialogWindow::Finish(int result) {
    m_finishing = true;
    done(result);
    m_finishing = false;
}

bool DialogWindow::HandleDialogKey(int key) {
    if (key == Qt::Key_Escape) {
        m_owner.SendCommand(win::IDCANCEL);
        return true;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter) {
        return false;
    }
    // The focused push button first, then the default button, then the OK command.
    if (auto* button = qobject_cast<QPushButton*>(focusWidget());
        button != nullptr && ControlIdOf(button) != win::IDC_STATIC) {
        m_owner.ClickDlgItem(ControlIdOf(button));
    } else if (m_defaultButton != 0 && m_owner.HasDlgItem(m_defaultButton)) {
        if (m_owner.IsDlgItemEnabled(m_defaultButton)) {
            m_owner.ClickDlgItem(m_defaultButton);
        } else {
            GetHost().Beep();
        }
    } else {
        m_owner.SendCommand(win::IDOK);
    }
    return true;
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (!HandleDialogKey(event->key())) {
        QDialog::keyPressEvent(event);
    }
}

bool DialogWindow::MoveInRadioGroup(QObject* radio, int key) {
    const bool forward = key == Qt::Key_Down || key == Qt::Key_Right;
    if (!forward && key != Qt::Key_Up && key != Qt::Key_Left) {
        return false;
    }
    const QVariant group = radio->property("scxRadioGroup");
    std::vector<QRadioButton*> members;
    for (QRadioButton* other : m_client->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
        if (other->property("scxRadioGroup") == group) {
            members.push_back(other);
        }
    }
    const auto at = std::find(members.begin(), members.end(), radio);
    if (at == members.end()) {
        return false;
    }
    const std::size_t count = members.size();
    std::size_t index = static_cast<std::size_t>(at - members.begin());
    for (std::size_t step = 1; step < count; ++step) {
        index = (index + (forward ? 1 : count - 1)) % count;
        if (members[index]->isEnabled()) {
            members[index]->setFocus(Qt::TabFocusReason);
            m_owner.ClickDlgItem(ControlIdOf(members[index]));
            break;
        }
    }
    return true;
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && qobject_cast<QRadioButton*>(watched) != nullptr) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier && MoveInRadioGroup(watched, key->key())) {
            return true;
        }
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool isReturn = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (isReturn && !watched->property("scxWantsReturn").toBool() &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            return HandleDialogKey(key->key());
        }
        if (key->key() == Qt::Key_Escape) {
            return HandleDialogKey(key->key());
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
