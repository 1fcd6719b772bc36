#pragma once
// One function per dialog template, each in its own file; the registry maps ids to them.
// Templates are built on first use so that no static initialisation order is involved.

#include "DialogTemplate.h"

namespace scx::res::dialogs {

const DialogTemplate& AboutDialog();
const DialogTemplate& MainDialog();
const DialogTemplate& DestPathDialog();
const DialogTemplate& FilePropsDialog();
const DialogTemplate& FileCompareDialog();
const DialogTemplate& ArchiveCreateDialog();
const DialogTemplate& ArchiveWizardDialog();
const DialogTemplate& ArchiveExtractDialog();

// The style every modal dialog of the program shares.
inline constexpr win::DWORD kModalStyle =
    win::DS_MODALFRAME | win::WS_POPUP | win::WS_CAPTION | win::WS_SYSMENU;

}  // namespace scx::res::dialogs
