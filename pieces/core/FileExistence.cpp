#include "FileExistence.h"

#include "File.h"

namespace scx::pieces {

FileProbe ProbeFile(const std::string& path) {
    CFile file;
    CFileException error(CFileException::none, std::string());
    if (file.TryOpen(path, CFile::modeRead | CFile::shareExclusive, &error)) {
        file.Abort();  // nothing was written; a close error would mean nothing here
        return FileProbe::openable;
    }
    return error.m_cause == CFileException::fileNotFound ? FileProbe::missing
                                                         : FileProbe::unopenable;
}

bool FileExists(const std::string& path) {
    return ProbeFile(path) != FileProbe::missing;
}

}  // namespace scx::pieces
