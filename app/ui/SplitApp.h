#pragma once
// The application object: runs the main window modally and ends the program with it.

#include "WinApp.h"

namespace scx {

class CSplitApp : public CWinApp {
  public:
    // Always false: the program has no message loop beyond the main window's.
    bool InitInstance() override;
};

}  // namespace scx
