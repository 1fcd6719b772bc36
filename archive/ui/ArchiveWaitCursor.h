#pragma once
// The wait cursor while an archive is written or extracted, taken back whatever ends the
// operation (a file error included).

#include "WinApp.h"

namespace scx {

class CArchiveWaitCursor {
  public:
    CArchiveWaitCursor() { Show(1); }
    ~CArchiveWaitCursor() { Show(-1); }
    CArchiveWaitCursor(const CArchiveWaitCursor&) = delete;
    CArchiveWaitCursor& operator=(const CArchiveWaitCursor&) = delete;

  private:
    static void Show(int code) {
        if (CWinApp* app = AfxGetApp()) {
            app->DoWaitCursor(code);
        }
    }
};

}  // namespace scx
