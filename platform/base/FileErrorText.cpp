#include "FileErrorText.h"

#include "ResourceIds.h"
#include "Resources.h"

namespace scx {

unsigned FileErrorStringId(CFileException::Cause cause) {
    switch (cause) {
        case CFileException::fileNotFound:
            return res::IDS_FILE_NOT_FOUND;
        case CFileException::badPath:
            return res::IDS_FILE_BAD_PATH;
        case CFileException::accessDenied:
            return res::IDS_FILE_ACCESS_DENIED;
        case CFileException::sharingViolation:
            return res::IDS_FILE_SHARING_VIOLATION;
        case CFileException::diskFull:
            return res::IDS_FILE_DISK_FULL;
        case CFileException::endOfFile:
            return res::IDS_FILE_END_OF_FILE;
        case CFileException::notRegularFile:
            return res::IDS_FILE_NOT_REGULAR;
        default:
            return res::IDS_FILE_ERROR_GENERIC;
    }
}

std::string ReplacePathSlot(std::string text, std::string_view path) {
    const std::string::size_type slot = text.find("%1");
    if (slot != std::string::npos) {
        text.replace(slot, 2, path);
    }
    return text;
}

std::string DescribeFileError(const CFileException& error) {
    return ReplacePathSlot(res::LoadString(FileErrorStringId(error.m_cause)), error.m_strFileName);
}

std::string DescribeUnexpectedError(const char* detail) {
    const std::string what = detail != nullptr && *detail != '\0'
                                 ? std::string(detail)
                                 : res::LoadString(res::IDS_UNKNOWN_ERROR_DETAIL);
    return ReplacePathSlot(res::LoadString(res::IDS_UNEXPECTED_ERROR), what);
}

}  // namespace scx
