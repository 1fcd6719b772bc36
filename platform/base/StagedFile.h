#pragma once
// A new file written beside its final name and put in its place only once complete: until
// then the final name keeps what it held, and a failure leaves nothing behind.
//
// The file is created in the final name's folder as "." + stem + "-N.tmp", N the first
// number free, exclusively and never through a link: a file, folder or link already there
// is passed over, never opened. The open file reports its failures under the final path,
// so that no message names the temporary one. It has the owner, group and permissions of
// the file it is to replace from the start. What rewriting the final path in place would
// refuse is refused at once: a file there that the user may not write, and anything there
// but a file or a link (a folder, a pipe, a device).

#include <string>
#include <string_view>

#include "File.h"

namespace scx {

class CStagedFile {
  public:
    // Throws CFileException naming `finalPath`.
    CStagedFile(const std::string& finalPath, std::string_view stem);
    // Removes the file unless it was committed.
    ~CStagedFile();

    CStagedFile(const CStagedFile&) = delete;
    CStagedFile& operator=(const CStagedFile&) = delete;

    CFile& File() { return m_file; }

    // Closes the file and renames it over the final path, replacing what bears that name
    // (a link there is replaced, not followed). Throws CFileException naming the final
    // path; the file is then removed by the destructor.
    void Commit();

  private:
    // Closes and removes the file.
    void Discard() noexcept;

    std::string m_finalPath;
    std::string m_temporaryPath;  // registered for RemoveStagedFilesOnInterrupt while open
    CFile m_file;
    bool m_committed = false;
};

// The file that `path` names through any links, else `path`: staged there, a new file
// replaces the file a link names, and the link keeps naming it, as a file rewritten in
// place through the link would.
std::string PathThroughLinks(const std::string& path);

// For the programs' mains: an interruption (SIGINT, SIGTERM, SIGHUP; on Windows Ctrl-C,
// Ctrl-Break and the console's closing) removes the staged files not yet committed, then
// ends the process with 128 + the signal's number: 130, 143, 129. Signals that the process
// was started ignoring (nohup) stay ignored. On POSIX, a write past the file size limit
// fails as a full disk does rather than raising SIGXFSZ, which would end the process.
void RemoveStagedFilesOnInterrupt();

// For a window the system is about to end with the session, which sends it no signal:
// removes the staged files not yet committed, and lets the system end the program.
void RemoveStagedFilesNow();

}  // namespace scx
