#pragma once
// The Windows headers for the win32 backend. Included after every header of ours: their
// macros carry the names of WinDefs.h's constants, and of some of our methods (DrawText,
// MessageBox, LoadString), which are undefined here so that ours keep their names.

#include "WindowsApi.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#undef DrawText
#undef GetWindowText
#undef LoadString
#undef MessageBox
#undef SetWindowText
