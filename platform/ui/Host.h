#pragma once
// Everything the program asks of the desktop, behind one interface: the Qt host shows
// real windows, the scripted host of the tests answers from queues and records.

#include <optional>
#include <string>
#include <vector>

#include "WinDefs.h"

namespace scx {

class CDialog;

// An open or save dialog as the program describes it. `filter` is the resource form
// "desc|pattern;pattern|desc|pattern||".
struct FileDialogRequest {
    bool open = true;
    std::string title;  // empty: the toolkit's own title
    std::string filter;
    std::string defaultExt;  // without the dot; appended when the typed name has none
    std::string initialName;
    bool overwritePrompt = false;  // save: ask before replacing an existing file
};

// Thrown by a host asked to end the process where ending it would stop the tests.
struct ProcessExit {
    int status = 0;
};

class Host {
  public:
    virtual ~Host() = default;

    // Shows `text` in a message box of `type` (MB_* flags) captioned with the
    // application's name; returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int MessageBox(const std::string& text, win::UINT type) = 0;
    // The chosen full path, or nothing when the user cancelled.
    virtual std::optional<std::string> AskFile(const FileDialogRequest& request) = 0;
    // Runs `dialog` modally: creates it, initialises it, returns its end code.
    virtual int RunModal(CDialog& dialog) = 0;
    // Opens `file` (a URL, a document or a program) with the shell's default action,
    // `parameters` its command-line text; false when the shell could not.
    virtual bool ShellOpen(const std::string& file, const std::string& parameters) = 0;
    virtual void Beep() = 0;
    virtual void SetWaitCursor(bool on) = 0;
    // Lets pending paint and timer events run during a long handler (user input stays
    // queued), so that animations move and repaints show.
    virtual void PumpEvents() = 0;
    [[noreturn]] virtual void ExitProcess(int status) = 0;
    // The full path of the running program's file.
    virtual std::string ProgramPath() const = 0;
    // Starts `program` as a process of its own, detached, each of `arguments` reaching it
    // whole whatever it holds; false when it could not be started.
    virtual bool StartProgram(const std::string& program,
                              const std::vector<std::string>& arguments) = 0;
    // The application's name, the caption of every message box.
    virtual std::string AppName() const = 0;
};

// The host in use; set once at start-up (or by a test fixture).
Host& GetHost();
void SetHost(Host* host);

}  // namespace scx
