#include "CliChecksums.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

#include "ChecksumFile.h"
#include "Cli.h"
#include "DataCopy.h"
#include "File.h"
#include "FileErrorText.h"
#include "FileExistence.h"
#include "HJSplitPieces.h"
#include "MetaTag.h"
#include "PieceNames.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "Sha256.h"
#include "Utf8Path.h"

namespace scx::cli {

namespace {

using pieces::ChecksumEntry;
using pieces::ChecksumFault;
using pieces::ChecksumListing;

// sha256sum -c's words, which scripts look for.
constexpr std::string_view kOk = ": OK";
constexpr std::string_view kFailed = ": FAILED";
constexpr std::string_view kFailedOpen = ": FAILED open or read";

std::string Say(unsigned stringId, std::string_view path, std::string_view second = {}) {
    std::string text = res::LoadString(stringId);
    if (const std::size_t slot = text.find("%2"); slot != std::string::npos) {
        text.replace(slot, 2, second);
    }
    return ReplacePathSlot(std::move(text), path) + "\n";
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of(CFile::kPathSeparators);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of(CFile::kPathSeparators);
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The name an own-format join gives the set cut from a file with `extension`.
std::string OwnJoinedName(const std::string& baseName, const std::string& extension) {
    const pieces::MetaTag tag = pieces::BuildMetaTag(extension, 1);
    return pieces::OwnJoinOutputPath({}, baseName, pieces::ReadPanelTag(tag).extension, false);
}

// Reads the listing, or says what is wrong with it and returns none.
std::optional<ChecksumListing> ReadListing(const std::string& path, std::ostream& err) {
    ChecksumListing listing = pieces::ReadChecksumFile(path);
    const std::string line = std::to_string(listing.faultLine);
    switch (listing.fault) {
        case ChecksumFault::none:
            return listing;
        case ChecksumFault::malformedLine:
            err << Say(res::IDS_CHECKSUM_MALFORMED, path, line);
            break;
        case ChecksumFault::unsafeName:
            err << Say(res::IDS_CHECKSUM_UNSAFE_NAME, path, line);
            break;
        case ChecksumFault::duplicateName:
            err << Say(res::IDS_CHECKSUM_DUPLICATE, path, line);
            break;
        case ChecksumFault::tooLarge:
            err << Say(res::IDS_CHECKSUM_TOO_LARGE, path);
            break;
    }
    return std::nullopt;
}

// The highest piece number among the listed names of the set `baseName`. A number above
// the count of lines cannot end a listing of the whole set, and is not believed: a hostile
// line must not make a set of a billion pieces.
std::uint64_t HighestListedPiece(const ChecksumListing& listing, const std::string& baseName) {
    const std::uint64_t believable = listing.entries.size();
    std::uint64_t highest = 0;
    for (const ChecksumEntry& entry : listing.entries) {
        if (entry.name.size() <= baseName.size() + 1 || !entry.name.starts_with(baseName)) {
            continue;
        }
        const std::string_view digits = std::string_view(entry.name).substr(baseName.size() + 1);
        std::uint64_t number = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (error == std::errc() && end == digits.data() + digits.size() && number <= believable &&
            entry.name == baseName + pieces::PieceSuffix(number)) {
            highest = std::max(highest, number);
        }
    }
    return highest;
}

// The set's pieces as a listing describes them: an own set has the count of its tag; an
// HJSplit set has as many as are found on disk or listed, whichever is more, so that a
// listed piece missing from the folder is reported instead of ending the set early.
struct ListedSet {
    std::vector<std::string> names;  // piece k at k - 1
    std::string joinedName;
};

std::optional<ListedSet> DescribeSet(const std::string& folder, const std::string& baseName,
                                     bool hjsplit, const ChecksumListing& listing) {
    ListedSet set;
    std::uint64_t count = 0;
    if (hjsplit) {
        count = std::max(pieces::CountHJSplitPieces(folder, baseName),
                         HighestListedPiece(listing, baseName));
        set.joinedName = baseName;
    } else {
        const pieces::PanelTag tag =
            pieces::ReadPanelTagFromFile(pieces::PiecePath(folder, baseName, 1));
        if (tag.pieceCount < 1) {
            return std::nullopt;
        }
        count = static_cast<std::uint64_t>(tag.pieceCount);
        set.joinedName = pieces::OwnJoinOutputPath({}, baseName, tag.extension, false);
    }
    for (std::uint64_t k = 1; k <= count; ++k) {
        set.names.push_back(baseName + pieces::PieceSuffix(k));
    }
    return set;
}

}  // namespace

bool RefuseUnlistableSplit(const pieces::SplitOptions& options, std::ostream& err) {
    const std::string firstPiece = options.baseName + pieces::PieceSuffix(1);
    const std::string joined = OwnJoinedName(options.baseName, options.sourceExtension);
    for (const std::string& name : {firstPiece, joined}) {
        if (!pieces::IsListableName(name)) {
            err << Say(res::IDS_NAME_NOT_LISTABLE, name);
            return true;
        }
    }
    for (const bool copyName : {false, true}) {
        const std::string base =
            copyName ? options.baseName + std::string(pieces::kCopySuffix) : options.baseName;
        const std::string path = pieces::ChecksumFilePath(options.destFolder, base);
        if (pieces::IsSameFile(path, options.sourcePath)) {
            err << Say(res::IDS_CHECKSUM_IS_SOURCE, path);
            return true;
        }
    }
    return false;
}

std::string WriteSplitChecksums(const pieces::SplitOptions& options,
                                const pieces::CSetChecksums& sums) {
    const std::vector<std::string>& paths = sums.PiecePaths();
    const std::string firstName = NameOf(paths.front());
    const std::string baseName =
        firstName.substr(0, firstName.size() - pieces::PieceSuffix(1).size());
    std::vector<ChecksumEntry> entries;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        entries.push_back({sums.PieceDigests()[i], NameOf(paths[i])});
    }
    entries.push_back({sums.JoinedDigest(), OwnJoinedName(baseName, options.sourceExtension)});
    const std::string path = pieces::ChecksumFilePath(FolderOf(paths.front()), baseName);
    pieces::WriteChecksumFile(path, entries);
    return path;
}

void WarnOfStaleChecksums(const pieces::SplitOptions& options, std::ostream& err) {
    // Which of the two names the pieces took is the user's answer inside the split: the
    // set just written is the one whose first piece is newer than its checksum file.
    for (const bool copyName : {false, true}) {
        const std::string base =
            copyName ? options.baseName + std::string(pieces::kCopySuffix) : options.baseName;
        const std::string sums = pieces::ChecksumFilePath(options.destFolder, base);
        const std::string firstPiece = pieces::PiecePath(options.destFolder, base, 1);
        std::error_code error;
        const auto sumsTime = std::filesystem::last_write_time(Utf8Path(sums), error);
        const auto pieceTime =
            error ? sumsTime : std::filesystem::last_write_time(Utf8Path(firstPiece), error);
        if (error || pieceTime <= sumsTime) {
            continue;
        }
        try {
            if (pieces::ReadChecksumFile(sums).Find(NameOf(firstPiece)) != nullptr) {
                err << Say(res::IDS_CHECKSUMS_STALE, sums);
            }
        } catch (const CFileException&) {
            // Unreadable: the join will say so itself.
        }
    }
}

std::optional<JoinVerification> PrepareJoinVerification(const pieces::JoinOptions& options,
                                                        std::ostream& err, int& refusal) {
    refusal = kExitSuccess;
    const std::string path = pieces::ChecksumFilePath(options.sourceFolder, options.baseName);
    if (!pieces::FileExists(path)) {
        return std::nullopt;
    }
    const std::optional<ChecksumListing> listing = ReadListing(path, err);
    if (!listing) {
        refusal = kExitRefused;
        return std::nullopt;
    }
    const std::optional<ListedSet> set =
        DescribeSet(options.sourceFolder, options.baseName, options.hjsplit, *listing);
    if (!set) {
        return std::nullopt;
    }
    const ChecksumEntry* joined = listing->Find(set->joinedName);
    const bool listsAPiece =
        std::any_of(set->names.begin(), set->names.end(),
                    [&](const std::string& name) { return listing->Find(name) != nullptr; });
    JoinVerification verification;
    verification.checksumPath = path;
    if (!listsAPiece) {
        // film.sha256 may well be the checksum of film.avi alone, fetched with it before
        // it was cut: no piece to check, but the joined file is.
        if (joined == nullptr) {
            return std::nullopt;
        }
        verification.sums.Expect({}, joined->digest);
        return verification;
    }
    std::vector<std::string> expected;
    for (const std::string& name : set->names) {
        const ChecksumEntry* entry = listing->Find(name);
        if (entry == nullptr) {
            err << Say(res::IDS_PIECE_NOT_LISTED, options.sourceFolder + name);
            refusal = kExitRefused;
            return std::nullopt;
        }
        if (!pieces::FileExists(options.sourceFolder + name)) {
            err << Say(res::IDS_PIECE_MISSING, options.sourceFolder + name);
            refusal = kExitRefused;
            return std::nullopt;
        }
        expected.push_back(entry->digest);
    }
    verification.sums.Expect(std::move(expected), joined ? joined->digest : std::string());
    return verification;
}

void SayMismatch(const pieces::ChecksumMismatch& mismatch, const std::string& checksumPath,
                 std::ostream& err) {
    if (mismatch.Path().empty()) {
        err << Say(res::IDS_JOINED_DAMAGED, checksumPath);
    } else {
        err << Say(res::IDS_PIECE_DAMAGED, mismatch.Path());
    }
}

int RunVerify(const std::string& folder, const std::string& baseName, bool hjsplit, bool quiet,
              std::ostream& out, std::ostream& err) {
    const std::string path = pieces::ChecksumFilePath(folder, baseName);
    if (!pieces::FileExists(path)) {
        err << Say(res::IDS_NO_CHECKSUM_FILE, path);
        return kExitRefused;
    }
    const std::optional<ChecksumListing> listing = ReadListing(path, err);
    if (!listing) {
        return kExitRefused;
    }
    const std::optional<ListedSet> set = DescribeSet(folder, baseName, hjsplit, *listing);
    if (!set) {
        err << Say(res::IDS_TAG_UNREADABLE, {});
        return kExitRefused;
    }
    std::size_t failures = 0;
    for (const std::string& name : set->names) {
        const ChecksumEntry* entry = listing->Find(name);
        if (entry == nullptr) {
            out.flush();
            err << Say(res::IDS_PIECE_NOT_LISTED, folder + name);
            ++failures;
            continue;
        }
        if (!pieces::FileExists(folder + name)) {
            out << name << kFailedOpen << '\n';
            out.flush();
            err << Say(res::IDS_PIECE_MISSING, folder + name);
            ++failures;
            continue;
        }
        try {
            const bool intact = pieces::Sha256OfFile(folder + name) == entry->digest;
            out << name << (intact ? kOk : kFailed) << '\n';
            failures += intact ? 0 : 1;
        } catch (const CFileException& error) {
            // As sha256sum -c: an unreadable piece is one failure, the others are checked.
            out << name << kFailedOpen << '\n';
            out.flush();
            err << DescribeFileError(error) << '\n';
            ++failures;
        }
    }
    out.flush();
    if (failures > 0) {
        err << Say(res::IDS_VERIFY_FAILED, std::to_string(failures),
                   std::to_string(set->names.size()));
        return kExitRefused;
    }
    if (!quiet) {
        err << Say(res::IDS_VERIFY_DONE, {});
    }
    return kExitSuccess;
}

std::string ChecksumPresenceLine(const std::string& folder, const std::string& baseName) {
    const std::string path = pieces::ChecksumFilePath(folder, baseName);
    return pieces::FileExists(path) ? Say(res::IDS_CHECKSUM_PRESENT, NameOf(path))
                                    : Say(res::IDS_CHECKSUM_ABSENT, {});
}

}  // namespace scx::cli
