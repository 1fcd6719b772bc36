#pragma once
// The application object and the framework's free functions: message boxes by text or
// by string id, the report of a file error, the wait cursor.

#include <string>

#include "WinDefs.h"

namespace scx {

class CDialog;
class CFileException;

class CWinApp {
  public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up; returning false ends the program without a message loop of its own.
    virtual bool InitInstance();

    // Counted: 1 shows the wait cursor, -1 takes one showing back.
    void DoWaitCursor(int code);

    CDialog* m_pMainWnd = nullptr;
    // The command line without the program's own name and the blanks that follow it.
    std::string m_lpCmdLine;

  private:
    int m_waitCursorCount = 0;
};

// The one application object; nullptr before it is constructed.
CWinApp* AfxGetApp();
CDialog* AfxGetMainWnd();

// The wait cursor for the life of a scope, taken back however the scope ends (a file
// error included).
class CWaitCursor {
  public:
    CWaitCursor() { Change(1); }
    ~CWaitCursor() { Change(-1); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

  private:
    static void Change(int code) {
        if (CWinApp* app = AfxGetApp()) {
            app->DoWaitCursor(code);
        }
    }
};

int AfxMessageBox(const std::string& text, win::UINT type = win::MB_OK);
int AfxMessageBox(unsigned stringId, win::UINT type = win::MB_OK);

// Shows the French text that names `error`'s file and cause, with the stop icon.
void ReportFileException(const CFileException& error);

}  // namespace scx
