#include "Dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <new>
#include <stdexcept>

#include "AnimationWidget.h"
#include "DialogBuilder.h"
#include "DialogWindow.h"
#include "File.h"
#include "FileErrorText.h"
#include "Host.h"
#include "ListViewWidget.h"
#include "Resources.h"
#include "UpDownWidget.h"
#include "WinApp.h"

namespace scx {

using namespace win;

namespace {

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

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

CDialog::CDialog(int templateId)
    : m_templateId(templateId), m_template(res::FindDialog(templateId)) {
    if (m_template == nullptr) {
        throw std::logic_error("no dialog template " + std::to_string(templateId));
    }
}

CDialog::~CDialog() = default;

int CDialog::DoModal() {
    return GetHost().RunModal(*this);
}

void CDialog::EndDialog(int result) {
    m_ended = true;
    m_result = result;
    if (m_window) {
        m_window->Finish(result);
    }
}

void CDialog::Create() {
    if (m_window) {
        return;
    }
    m_ended = false;
    m_window = std::make_unique<DialogWindow>(*this);
    m_controls = BuildDialogWindow(*this, *m_window, *m_template);
}

void CDialog::InitDialog() {
    Create();
    bool managerSetsFocus = true;
    Guarded([&] { managerSetsFocus = OnInitDialog(); });
    if (!managerSetsFocus || m_ended) {
        return;
    }
    // The first control of the template that can take the focus.
    for (const ControlTemplate& c : m_template->controls) {
        QWidget* widget = GetDlgItem(c.id);
        if (widget != nullptr && (c.style & WS_TABSTOP) != 0 && widget->isEnabled() &&
            widget->focusPolicy() != Qt::NoFocus) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

bool CDialog::OnInitDialog() {
    return true;
}
void CDialog::OnOK() {
    EndDialog(IDOK);
}
void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}
void CDialog::OnPaint(QPainter&) {}

void CDialog::OnSysCommand(UINT command) {
    switch (command & 0xFFF0) {
        case SC_CLOSE:
            RouteCommand(IDCANCEL);
            break;
        case SC_MINIMIZE:
            m_window->showMinimized();
            break;
        case SC_RESTORE:
            m_window->showNormal();
            break;
        default:
            break;
    }
}

const CDialog::MessageMap& CDialog::GetMessageMap() const {
    static const MessageMap empty;
    return empty;
}

void CDialog::Guarded(const std::function<void()>& action) {
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
        Depth(const Depth&) = delete;
        Depth& operator=(const Depth&) = delete;
    } inHandler(m_handlerDepth);
    try {
        action();
    } catch (const ProcessExit&) {
        throw;  // the end of the program, not a failure
    } catch (const CFileException& error) {
        ReportFileException(error);
    } catch (const std::bad_alloc&) {
        AfxMessageBox(res::IDS_OUT_OF_MEMORY, MB_OK | MB_ICONEXCLAMATION);
    } catch (const std::exception& error) {
        // A defect must not end the program with the user's work in it.
        AfxMessageBox(DescribeUnexpectedError(error.what()), MB_OK | MB_ICONSTOP);
    } catch (...) {
        AfxMessageBox(DescribeUnexpectedError(nullptr), MB_OK | MB_ICONSTOP);
    }
}

bool CDialog::Route(Notify code, int id) {
    for (const MessageEntry& entry : GetMessageMap()) {
        const bool sameCode = entry.code == code ||
                              // A click reaches its owner as a command.
                              (code == Notify::Command && entry.code == Notify::Clicked) ||
                              (code == Notify::Clicked && entry.code == Notify::Command);
        if (sameCode && entry.id == id) {
            entry.handler(*this);
            return true;
        }
    }
    return false;
}

void CDialog::RouteCommand(int id) {
    if (Route(Notify::Command, id)) {
        return;
    }
    if (id == IDOK) {
        OnOK();
    } else if (id == IDCANCEL) {
        OnCancel();
    }
}

void CDialog::SendCommand(int id) {
    Guarded([&] { RouteCommand(id); });
}

void CDialog::SendNotify(Notify code, int id) {
    if (code == Notify::Clicked || code == Notify::Command) {
        SendCommand(id);
        return;
    }
    Guarded([&] { Route(code, id); });
}

void CDialog::SendSysCommand(UINT command) {
    Guarded([&] { OnSysCommand(command); });
}

void CDialog::ClickDlgItem(int id) {
    auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id));
    if (button == nullptr || !button->isEnabled()) {
        return;
    }
    if (qobject_cast<QRadioButton*>(button) != nullptr) {
        CheckRadioButton(id);
    } else if (qobject_cast<QCheckBox*>(button) != nullptr) {
        button->setChecked(!button->isChecked());
    }
    SendCommand(id);
}

void CDialog::DragAcceptFiles(bool accept) {
    Create();
    m_acceptsFiles = accept;
    m_window->setAcceptDrops(accept);
    // The drop belongs to the window, as on the platform: an edit under the cursor must not
    // take the file's path as text.
    for (QWidget* child : m_window->findChildren<QWidget*>()) {
        child->setAcceptDrops(false);
    }
}

void CDialog::DropFiles(const std::vector<std::string>& paths) {
    if (!m_acceptsFiles || IsInHandler() || m_ended) {
        return;
    }
    Guarded([&] { OnDropFiles(paths); });
}

void CDialog::OnDropFiles(const std::vector<std::string>&) {}

QWidget* CDialog::GetDlgItem(int id) const {
    auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

bool CDialog::HasDlgItem(int id) const {
    return GetDlgItem(id) != nullptr;
}

std::string CDialog::GetDlgItemText(int id) const {
    QWidget* widget = GetDlgItem(id);
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

void CDialog::SetDlgItemText(int id, const std::string& text) {
    QWidget* widget = GetDlgItem(id);
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

void CDialog::EnableDlgItem(int id, bool enable) {
    if (QWidget* widget = GetDlgItem(id)) {
        widget->setEnabled(enable);
    }
}

bool CDialog::IsDlgItemEnabled(int id) const {
    QWidget* widget = GetDlgItem(id);
    return widget != nullptr && widget->isEnabled();
}

void CDialog::CheckDlgButton(int id, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id))) {
        button->setChecked(checked);
    }
}

void CDialog::CheckRadioButton(int id) {
    CheckRadioInGroup(m_controls, id);
}

bool CDialog::IsDlgButtonChecked(int id) const {
    auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(id));
    return button != nullptr && button->isChecked();
}

void CDialog::GotoDlgCtrl(int id) {
    if (QWidget* widget = GetDlgItem(id)) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

int CDialog::GetFocusId() const {
    QWidget* focus = m_window ? m_window->focusWidget() : nullptr;
    for (const auto& [id, widget] : m_controls) {
        if (widget == focus) {
            return id;
        }
    }
    return IDC_STATIC;
}

CComboBox CDialog::GetComboBox(int id) const {
    return CComboBox(qobject_cast<QComboBox*>(GetDlgItem(id)));
}

CListCtrl CDialog::GetListCtrl(int id) const {
    return CListCtrl(qobject_cast<ListViewWidget*>(GetDlgItem(id)));
}

CProgressCtrl CDialog::GetProgressCtrl(int id) const {
    return CProgressCtrl(qobject_cast<QProgressBar*>(GetDlgItem(id)));
}

CAnimateCtrl CDialog::GetAnimateCtrl(int id) const {
    return CAnimateCtrl(qobject_cast<AnimationWidget*>(GetDlgItem(id)));
}

CSpinButtonCtrl CDialog::GetSpinButtonCtrl(int id) const {
    return CSpinButtonCtrl(qobject_cast<UpDownWidget*>(GetDlgItem(id)));
}

void CDialog::SetWindowText(const std::string& caption) {
    m_window->setWindowTitle(ToQString(caption));
}

std::string CDialog::GetWindowText() const {
    return m_window->windowTitle().toStdString();
}

void CDialog::SetIcon(int iconId) {
    m_window->setWindowIcon(LoadAppIcon(iconId));
}

void CDialog::UpdateWindow() {
    m_window->repaint();
    GetHost().PumpEvents();
}

CMenu& CDialog::GetSystemMenu() {
    if (m_systemMenu.Items().empty() && (m_template->style & WS_SYSMENU) != 0) {
        // The commands a window manager offers for a window of this kind.
        m_systemMenu.AppendMenu(CMenu::MF_GRAYED, SC_RESTORE, "&Restaurer");
        if ((m_template->style & WS_MINIMIZEBOX) != 0) {
            m_systemMenu.AppendMenu(CMenu::MF_STRING, SC_MINIMIZE, "Ré&duire");
        }
        m_systemMenu.AppendMenu(CMenu::MF_SEPARATOR);
        m_systemMenu.AppendMenu(CMenu::MF_STRING, SC_CLOSE, "&Fermer\tAlt+F4");
    }
    return m_systemMenu;
}

void CDialog::PaintClient(QPainter& painter) {
    OnPaint(painter);
}

}  // namespace scx
