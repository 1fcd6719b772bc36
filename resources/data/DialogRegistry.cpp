// Maps dialog ids to their templates.

#include <iterator>

#include "Resources.h"
#include "dialogs/Dialogs.h"

namespace scx::res {
namespace {

struct DialogEntry {
    int id;
    const DialogTemplate& (*get)();
};

constexpr DialogEntry kDialogs[] = {
    {IDD_ABOUTBOX, &dialogs::AboutDialog},
    {IDD_MAIN, &dialogs::MainDialog},
    {IDD_DESTPATH, &dialogs::DestPathDialog},
    {IDD_FILEPROPS, &dialogs::FilePropsDialog},
    {IDD_FILECOMPARE, &dialogs::FileCompareDialog},
    {IDD_ARCHIVE_CREATE, &dialogs::ArchiveCreateDialog},
    {IDD_ARCHIVE_WIZARD, &dialogs::ArchiveWizardDialog},
    {IDD_ARCHIVE_EXTRACT, &dialogs::ArchiveExtractDialog},
};

}  // namespace

const DialogTemplate* FindDialog(int id) {
    for (const DialogEntry& entry : kDialogs) {
        if (entry.id == id) {
            return &entry.get();
        }
    }
    return nullptr;
}

}  // namespace scx::res
