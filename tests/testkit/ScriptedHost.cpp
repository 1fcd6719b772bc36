#include "ScriptedHost.h"

#include <gtest/gtest.h>

#include "Dialog.h"

namespace scx::testkit {

using namespace win;

void ScriptedHost::Answer(std::initializer_list<int> answers) {
    m_answers.insert(m_answers.end(), answers);
}

void ScriptedHost::ChooseFile(const std::string& path) {
    m_files.emplace_back(path);
}

void ScriptedHost::CancelFileDialog() {
    m_files.emplace_back(std::nullopt);
}

void ScriptedHost::OnModal(int templateId, Driver driver) {
    m_drivers[templateId].push_back(std::move(driver));
}

std::vector<std::string> ScriptedHost::MessageTexts() const {
    std::vector<std::string> texts;
    for (const Message& message : m_messages) {
        texts.push_back(message.text);
    }
    return texts;
}

bool ScriptedHost::AllConsumed() const {
    for (const auto& [id, drivers] : m_drivers) {
        if (!drivers.empty()) {
            return false;
        }
    }
    return m_answers.empty() && m_files.empty();
}

int ScriptedHost::MessageBox(const std::string& text, UINT type) {
    m_messages.push_back({text, type});
    if (m_messageObserver) {
        m_messageObserver(m_messages.back());
    }
    const UINT buttons = type & MB_TYPEMASK;
    if (buttons == MB_OK) {
        return IDOK;
    }
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text;
        return buttons == MB_YESNO ? IDNO : IDCANCEL;
    }
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedHost::AskFile(const FileDialogRequest& request) {
    m_fileRequests.push_back(request);
    if (m_files.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << request.title;
        return std::nullopt;
    }
    std::optional<std::string> chosen = m_files.front();
    m_files.pop_front();
    return chosen;
}

int ScriptedHost::RunModal(CDialog& dialog) {
    const int id = dialog.TemplateId();
    m_modalRuns.push_back(id);
    dialog.Create();
    dialog.Peer().Show();
    dialog.InitDialog();
    if (!dialog.IsEnded()) {
        auto& drivers = m_drivers[id];
        if (drivers.empty()) {
            ADD_FAILURE() << "no driver for the modal run of dialog " << id;
        } else {
            Driver driver = std::move(drivers.front());
            drivers.pop_front();
            driver(dialog);
        }
        if (!dialog.IsEnded()) {
            ADD_FAILURE() << "dialog " << id << " is still open after its driver";
            dialog.EndDialog(IDCANCEL);
        }
    }
    dialog.Peer().Hide();
    return dialog.Result();
}

bool ScriptedHost::ShellOpen(const std::string& file, const std::string& parameters) {
    m_shellCalls.push_back({file, parameters});
    return true;
}

bool ScriptedHost::StartProgram(const std::string& program,
                                const std::vector<std::string>& arguments) {
    m_programStarts.push_back({program, arguments});
    return true;
}

void ScriptedHost::SetWaitCursor(bool on) {
    m_waitCursor = on;
    ++m_waitCursorChanges;
}

void ScriptedHost::PumpEvents() {
    ++m_pumps;
    if (m_pumpObserver) {
        m_pumpObserver();
    }
}

void ScriptedHost::ExitProcess(int status) {
    throw ProcessExit{status};
}

}  // namespace scx::testkit
