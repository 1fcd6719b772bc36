#pragma once
// scindarex-cli's checksum files, beside a set in the format of sha256sum:
//
//   split --checksums   writes <base name>.sha256 after a successful split
//   join                verifies each piece as it is joined when the file lies beside the
//                       first piece (unless --no-verify)
//   verify              checks every piece and prints "name: OK" / "name: FAILED"
//   info                says whether the file is there
//
// Messages go to `err` as French texts of the string table; exit statuses as in Cli.h.

#include <optional>
#include <ostream>
#include <string>

#include "JoinEngine.h"
#include "SetChecksums.h"
#include "SplitEngine.h"

namespace scx::cli {

// Before a split with --checksums: the refusal, already said on `err`, when the set's
// checksum file could not be written as sha256sum reads it or would replace the source.
bool RefuseUnlistableSplit(const pieces::SplitOptions& options, std::ostream& err);

// After a successful split: writes the checksum file beside the pieces `sums` saw, named
// after them (so after the "_Copie" pieces too). Returns its path.
std::string WriteSplitChecksums(const pieces::SplitOptions& options,
                                const pieces::CSetChecksums& sums);

// After a split without --checksums: warns on `err` when a checksum file beside the new
// pieces lists their names but is older than them, since a join would refuse them.
void WarnOfStaleChecksums(const pieces::SplitOptions& options, std::ostream& err);

// What a verified join needs: the checksum file's path, and `sums` primed with what it
// expects.
struct JoinVerification {
    std::string checksumPath;
    pieces::CSetChecksums sums;
};

// Before a join: none when no checksum file lies beside the first piece, when it lists
// neither a piece nor the joined file, or when the tag cannot be joined (the join refuses
// it itself). Otherwise the expectations (the joined file's alone when the file lists no
// piece), or, through `refusal`, the exit status after a message on `err`: a malformed
// file, a piece it does not list while it lists others, a piece missing from the folder.
std::optional<JoinVerification> PrepareJoinVerification(const pieces::JoinOptions& options,
                                                        std::ostream& err, int& refusal);

// The message for a join stopped by a checksum that did not match.
void SayMismatch(const pieces::ChecksumMismatch& mismatch, const std::string& checksumPath,
                 std::ostream& err);

// verify FIRST_PIECE, the piece already selected: its folder and its name without ".001".
int RunVerify(const std::string& folder, const std::string& baseName, bool hjsplit, bool quiet,
              std::ostream& out, std::ostream& err);

// info's line about the checksum file of the set whose first piece is folder + baseName +
// ".001".
std::string ChecksumPresenceLine(const std::string& folder, const std::string& baseName);

}  // namespace scx::cli
