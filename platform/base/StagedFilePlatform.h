#pragma once
// What the portable part of the staged file and each platform's part ask of each other.

#include <string>

#include "File.h"

namespace scx::detail {

// Platform part.

// Opens `file` on `path` with `flags` and registers `path` with RegisterPendingFile, with
// the interruptions held back in between so that none finds the file created but not yet
// registered. False, and `error` filled, when the open fails.
bool OpenRegistered(CFile& file, const std::string& path, unsigned flags, CFileException& error);

// The file `path` names as the system would resolve it where the portable part, which
// takes the text after the last separator for its name, would read it otherwise.
std::string FinalPathOf(const std::string& path);

// Readies `file` to replace what bears `path`, looked at once. Refuses, naming `file` as it
// reports itself, what a file rewritten in place would not be written to, since a rename
// would not ask: a regular file at `path` that the user may not write (accessDenied), or
// anything there but a regular file or a link (notRegularFile). Otherwise gives `file` the
// owner, group and permissions of a regular file there, as far as the user may, as a file
// rewritten in place would keep them; nothing where the system has none to give.
void PrepareToReplace(const std::string& path, CFile& file);

// Renames `from` over `to`, replacing a file there; throws CFileException naming `shown`.
void RenameOver(const std::string& from, const std::string& to, const std::string& shown);

// Removes the file `path`, ignoring failures. Safe in a signal handler on POSIX.
void RemoveFileQuietly(const char* path);

// Portable part: the staged files not yet committed, kept without locks so that an
// interruption handler can read them. `path` must stay valid until it is unregistered.
void RegisterPendingFile(const char* path);
void UnregisterPendingFile(const char* path);
void RemovePendingFiles();

}  // namespace scx::detail
