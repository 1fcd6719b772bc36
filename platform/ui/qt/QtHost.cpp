#include "QtHost.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTranslator>
#include <QUrl>
#include <cstdlib>

#include "Dialog.h"
#include "DialogWindow.h"
#include "FileFilter.h"

namespace scx {

using namespace win;

namespace {

QMessageBox::Icon IconFor(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONSTOP:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        case MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

int QtHost::MessageBox(const std::string& text, UINT type) {
    QMessageBox box(IconFor(type), QString::fromStdString(AppName()), QString::fromStdString(text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    struct Choice {
        QMessageBox::StandardButton button;
        const char* label;
        int result;
    };
    std::vector<Choice> choices;
    switch (type & MB_TYPEMASK) {
        case MB_YESNO:
            choices = {{QMessageBox::Yes, "Oui", IDYES}, {QMessageBox::No, "Non", IDNO}};
            break;
        case MB_YESNOCANCEL:
            choices = {{QMessageBox::Yes, "Oui", IDYES},
                       {QMessageBox::No, "Non", IDNO},
                       {QMessageBox::Cancel, "Annuler", IDCANCEL}};
            break;
        case MB_OKCANCEL:
            choices = {{QMessageBox::Ok, "OK", IDOK}, {QMessageBox::Cancel, "Annuler", IDCANCEL}};
            break;
        default:
            choices = {{QMessageBox::Ok, "OK", IDOK}};
            break;
    }
    for (const Choice& choice : choices) {
        box.addButton(choice.button)->setText(QString::fromUtf8(choice.label));
    }
    box.setDefaultButton(choices.front().button);
    const auto clicked = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const Choice& choice : choices) {
        if (choice.button == clicked) {
            return choice.result;
        }
    }
    // Closed without a button: the box's cancel, or its only button.
    return (type & MB_TYPEMASK) == MB_YESNO ? IDNO
           : (type & MB_TYPEMASK) == MB_OK  ? IDOK
                                            : IDCANCEL;
}

std::optional<std::string> QtHost::AskFile(const FileDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    dialog.setDirectory(QDir::current());
    if (!request.title.empty()) {
        dialog.setWindowTitle(QString::fromStdString(request.title));
    }
    QStringList filters;
    for (const std::string& filter : ToNameFilters(request.filter)) {
        filters << QString::fromStdString(filter);
    }
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.front());
    }
    if (!request.defaultExt.empty()) {
        dialog.setDefaultSuffix(QString::fromStdString(request.defaultExt));
    }
    if (!request.initialName.empty()) {
        dialog.selectFile(QString::fromStdString(request.initialName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().front()).toStdString();
}

int QtHost::RunModal(CDialog& dialog) {
    dialog.InitDialog();
    if (dialog.IsEnded()) {
        return dialog.Result();
    }
    static_cast<DialogWindow&>(dialog.Peer()).exec();
    return dialog.Result();
}

bool QtHost::ShellOpen(const std::string& file, const std::string& parameters) {
    if (parameters.empty() && !QFileInfo(QString::fromStdString(file)).isExecutable()) {
        return QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(file)));
    }
    // The parameter text is one command line: split at each blank, so that joining the
    // arguments with single blanks gives it back unchanged.
    QStringList arguments;
    if (!parameters.empty()) {
        arguments = QString::fromStdString(parameters).split(QLatin1Char(' '));
    }
    return QProcess::startDetached(QString::fromStdString(file), arguments);
}

void QtHost::Beep() {
    QApplication::beep();
}

void QtHost::SetWaitCursor(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void QtHost::PumpEvents() {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtHost::ExitProcess(int status) {
    std::exit(status);
}

std::string QtHost::ProgramPath() const {
    return QCoreApplication::applicationFilePath().toStdString();
}

bool QtHost::StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
    QStringList list;
    for (const std::string& argument : arguments) {
        list << QString::fromStdString(argument);
    }
    return QProcess::startDetached(QString::fromStdString(program), list);
}

std::string QtHost::AppName() const {
    return QFileInfo(QApplication::applicationFilePath()).completeBaseName().toStdString();
}

void InstallFrenchTranslations() {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* translator = new QTranslator(qApp);
    if (translator->load(QStringLiteral("qtbase_fr"), folder)) {
        QApplication::installTranslator(translator);
    } else {
        delete translator;
    }
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
}

}  // namespace scx
