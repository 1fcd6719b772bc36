#pragma once
// A host for tests: it answers message boxes, file dialogs and modal dialogs from queues
// the test fills, records what was shown, and never blocks.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "Host.h"

namespace scx::testkit {

class ScriptedHost : public Host {
  public:
    struct Message {
        std::string text;
        win::UINT type;  // MB_* flags: buttons and icon
    };
    struct ShellCall {
        std::string file;
        std::string parameters;
    };
    struct ProgramStart {
        std::string program;
        std::vector<std::string> arguments;
    };
    using Driver = std::function<void(CDialog&)>;

    // Answers for the next questions (Yes/No and Yes/No/Cancel boxes), in order. OK boxes
    // need no answer.
    void Answer(std::initializer_list<int> answers);
    // The next file dialog returns `path`, or is cancelled.
    void ChooseFile(const std::string& path);
    void CancelFileDialog();
    // The next modal run of dialog `templateId` hands the initialised dialog to `driver`,
    // which must end it.
    void OnModal(int templateId, Driver driver);

    const std::vector<Message>& Messages() const { return m_messages; }
    std::vector<std::string> MessageTexts() const;
    void ClearMessages() { m_messages.clear(); }
    void ClearAnswers() { m_answers.clear(); }
    const std::vector<FileDialogRequest>& FileRequests() const { return m_fileRequests; }
    const std::vector<int>& ModalRuns() const { return m_modalRuns; }
    const std::vector<ShellCall>& ShellCalls() const { return m_shellCalls; }
    const std::vector<ProgramStart>& ProgramStarts() const { return m_programStarts; }
    void SetProgramPath(const std::string& path) { m_programPath = path; }
    int Beeps() const { return m_beeps; }
    bool WaitCursorOn() const { return m_waitCursor; }
    int WaitCursorChanges() const { return m_waitCursorChanges; }
    int Pumps() const { return m_pumps; }
    // Called at every pump: lets a test look at a long operation while it runs.
    void OnPump(std::function<void()> observer) { m_pumpObserver = std::move(observer); }
    // Called as each message box is shown, before it is answered.
    void OnMessage(std::function<void(const Message&)> observer) {
        m_messageObserver = std::move(observer);
    }
    // True when every queued answer, file and driver was used.
    bool AllConsumed() const;

    int MessageBox(const std::string& text, win::UINT type) override;
    std::optional<std::string> AskFile(const FileDialogRequest& request) override;
    int RunModal(CDialog& dialog) override;
    bool ShellOpen(const std::string& file, const std::string& parameters) override;
    void Beep() override { ++m_beeps; }
    void SetWaitCursor(bool on) override;
    void PumpEvents() override;
    [[noreturn]] void ExitProcess(int status) override;
    std::string AppName() const override { return "scindarex"; }
    std::string ProgramPath() const override { return m_programPath; }
    // Recorded, not started.
    bool StartProgram(const std::string& program,
                      const std::vector<std::string>& arguments) override;

  private:
    std::deque<int> m_answers;
    std::deque<std::optional<std::string>> m_files;
    std::map<int, std::deque<Driver>> m_drivers;
    std::vector<Message> m_messages;
    std::vector<FileDialogRequest> m_fileRequests;
    std::vector<int> m_modalRuns;
    std::vector<ShellCall> m_shellCalls;
    std::vector<ProgramStart> m_programStarts;
    std::string m_programPath = "/opt/scindarex/bin/scindarex";
    std::function<void()> m_pumpObserver;
    std::function<void(const Message&)> m_messageObserver;
    int m_beeps = 0;
    bool m_waitCursor = false;
    int m_waitCursorChanges = 0;
    int m_pumps = 0;
};

}  // namespace scx::testkit
