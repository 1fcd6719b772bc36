#pragma once
// The package archive subcommands of scindarex-cli:
//
//   pack     writes ARCHIVE from the files in the order given, as the creation dialog does
//            (an existing archive is replaced; two files of one name are refused with 136);
//   list     prints "Auteur : ", "Contenu : " and "Commentaire : " lines, then one line per
//            entry: name, size and position separated by tabs, as stored;
//   extract  writes the named members (all when none is named), in directory order, into
//            --dest or the archive's folder; --if-exists answers the questions, for each row
//            of a name held twice as well.
//
// Exit statuses as the other subcommands; a member skipped or not found makes it 1 while
// the others are still extracted. Notices 141 and 140 go to `err` and the work goes on.

#include <istream>
#include <ostream>

#include "Cli.h"
#include "CliArguments.h"

namespace scx::cli {

// File failures leave as CFileException, after the progress line was ended.
int RunArchiveCommand(const CliArguments& arguments, std::istream& in, std::ostream& out,
                      std::ostream& err, const CliEnvironment& environment);

}  // namespace scx::cli
