#pragma once
// The system's handle types, declared as <windows.h> declares them (STRICT), so that the
// backend's headers need not include it before ours (SystemHeaders.h).

struct HWND__;
struct HDC__;
struct HBITMAP__;
struct tagMSG;

namespace scx::win32 {

using Hwnd = HWND__*;
using Hdc = HDC__*;
using Hbitmap = HBITMAP__*;

}  // namespace scx::win32
