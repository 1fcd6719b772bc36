#include "Cli.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <limits>
#include <new>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "CliArchive.h"
#include "CliArguments.h"
#include "CliChecksums.h"
#include "CliTools.h"
#include "EngineObserver.h"
#include "EscapedText.h"
#include "File.h"
#include "FileErrorText.h"
#include "Folders.h"
#include "HJSplitPieces.h"
#include "JoinEngine.h"
#include "MetaTag.h"
#include "PieceNames.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "SourcePanel.h"
#include "SplitEngine.h"
#include "StatusEdit.h"
#include "TerminalPrompt.h"
#include "Utf8Path.h"

#ifndef SCX_VERSION_TEXT
#error "SCX_VERSION_TEXT must be defined by the build"
#endif

namespace scx::cli {

namespace {

using pieces::EngineResult;

constexpr std::string_view kFirstPieceExtension = "001";

constexpr std::string_view kSplitOfFirstPiece =
    "Ce fichier est la première partie d'un ensemble coupé :\n%1\n"
    "Il se rejoint avec « scindarex-cli join », il ne se coupe pas.";
constexpr std::string_view kJoinOfOtherFile =
    "Le fichier à joindre doit être la première partie d'un ensemble (extension .001) :\n%1";
constexpr std::string_view kOutputTaken =
    "Le fichier de destination existe déjà :\n%1\n"
    "Rien n'a été écrit (--if-exists overwrite ou copy pour passer outre).";

// What the window's panel derives from a chosen file.
struct Selection {
    std::string path;  // as the file layer resolves it, as the window shows it
    std::string folder;
    std::string title;      // the name without "." and the extension
    std::string extension;  // after the name's last ".", without it
    std::uint64_t length = 0;
};

Selection Select(const std::string& file) {
    CFile source(file, CFile::modeRead | CFile::shareExclusive);
    Selection selection;
    selection.path = source.GetFilePath();
    selection.length = source.GetLength();
    const std::string name = source.GetFileName();
    source.Close();
    // The file dialog's rule: the extension follows the name's last dot.
    const std::size_t dot = name.rfind('.');
    selection.title = dot == std::string::npos ? name : name.substr(0, dot);
    selection.extension = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    selection.folder = app::SplitSourcePath(selection.path, selection.extension).folder;
    return selection;
}

bool EndsWithSeparator(std::string_view path) {
    return !path.empty() &&
           std::string_view(CFile::kPathSeparators).find(path.back()) != std::string_view::npos;
}

// A failure as the terminal shows it, with what a status write stopped half-way applied:
// its path may end with a name an archive stored, or any a folder holds.
std::string DescribeOnTerminal(const CFileException& error) {
    const auto escaped = [](auto shown) {
        shown.m_strFileName = EscapeControlCharacters(shown.m_strFileName);
        return shown;
    };
    const auto* partial = dynamic_cast<const CStatusWriteException*>(&error);
    return partial != nullptr ? tools::PartialWriteText(escaped(*partial))
                              : DescribeFileError(escaped(error));
}

std::string Message(unsigned stringId, std::string_view path = {}) {
    return ReplacePathSlot(res::LoadString(stringId), path);
}

std::string Message(std::string_view text, std::string_view path) {
    return ReplacePathSlot(std::string(text), path);
}

// The engines' reports: refusals as messages, copied bytes on the progress bar. The bar,
// caption and repaint calls are the window's and have no terminal counterpart.
class CCliObserver : public pieces::CEngineObserver {
  public:
    CCliObserver(std::ostream& err, CTerminalProgress* progress)
        : m_err(err), m_progress(progress) {}

    void OnRefusal(unsigned stringId, const std::string& path) override {
        if (m_progress != nullptr) {
            m_progress->Abandon();
        }
        m_err << Message(stringId, path) << '\n';
    }

    void OnBytesCopied(const pieces::CopyProgress& progress) override {
        if (m_progress != nullptr) {
            m_progress->Update(progress.bytesDone);
        }
    }

  private:
    std::ostream& m_err;
    CTerminalProgress* m_progress;
};

// Everything one split or join needs from the command line and the terminal.
class COperation {
  public:
    COperation(const CliArguments& arguments, std::istream& in, std::ostream& err,
               const CliEnvironment& environment)
        : m_arguments(arguments),
          m_err(err),
          m_environment(environment),
          m_mode(arguments.ifExists.value_or(environment.inIsTerminal ? IfExists::ask
                                                                      : IfExists::fail)),
          m_prompt(m_mode, in, err) {}

    bool WantsProgress() const { return m_environment.errIsTerminal && !m_arguments.quiet; }

    void StartProgress(std::uint64_t total) {
        m_progress.emplace(m_err, total, m_environment.clock);
        m_prompt.SetAfterAnswer([this] { m_progress->Restart(); });
    }

    CTerminalProgress* Progress() { return m_progress ? &*m_progress : nullptr; }
    pieces::CUserPrompt& Prompt() { return m_prompt; }

    // The exit status of an engine's result; `takenName` is the first name it tested.
    int Conclude(EngineResult result, unsigned doneStringId, const std::string& takenName) {
        switch (result) {
            case EngineResult::done:
                if (m_progress) {
                    m_progress->Finish();
                }
                if (!m_arguments.quiet) {
                    m_err << Message(doneStringId) << '\n';
                }
                return kExitSuccess;
            case EngineResult::cancelled:
                // At the terminal the user declined both questions, which the window
                // acknowledges with no message either.
                if (m_mode == IfExists::fail) {
                    m_err << Message(kOutputTaken, takenName) << '\n';
                }
                return kExitRefused;
            case EngineResult::refused:
                break;
        }
        return kExitRefused;
    }

    void EndProgressLine() {
        if (m_progress) {
            m_progress->Abandon();
        }
    }

  private:
    const CliArguments& m_arguments;
    std::ostream& m_err;
    const CliEnvironment& m_environment;
    IfExists m_mode;
    CTerminalPrompt m_prompt;
    std::optional<CTerminalProgress> m_progress;
};

int RunSplitCommand(const CliArguments& arguments, COperation& operation, std::ostream& err) {
    const Selection selection = Select(arguments.file);
    if (selection.extension == kFirstPieceExtension) {
        err << Message(kSplitOfFirstPiece, selection.path) << '\n';
        return kExitRefused;
    }
    pieces::SplitOptions options;
    options.sourcePath = selection.path;
    options.sourceExtension = selection.extension;
    options.baseName = selection.title;
    options.destFolder = DestinationFolder(arguments.destFolder, selection.folder);
    options.selectedLength = selection.length;
    options.partitionKb = arguments.partitionKb;
    options.pieceCount = static_cast<std::int64_t>(std::min<std::uint64_t>(
        pieces::PieceCount(selection.length, arguments.partitionKb),
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())));

    pieces::CSetChecksums sums;
    if (arguments.checksums) {
        if (RefuseUnlistableSplit(options, err)) {
            return kExitRefused;
        }
        options.tap = &sums;
    }

    if (operation.WantsProgress()) {
        operation.StartProgress(selection.length);
    }
    CCliObserver observer(err, operation.Progress());
    const EngineResult result = pieces::RunSplit(options, observer, operation.Prompt());
    std::string checksumPath;
    if (arguments.checksums && result == EngineResult::done) {
        checksumPath = WriteSplitChecksums(options, sums);
    }
    const int status =
        operation.Conclude(result, res::IDS_CUT_DONE,
                           pieces::SplitPiecePath(options.destFolder, options.baseName, 1, false));
    if (!checksumPath.empty() && !arguments.quiet) {
        err << Message(res::IDS_CHECKSUMS_WRITTEN, checksumPath) << '\n';
    }
    if (!arguments.checksums && result == EngineResult::done) {
        WarnOfStaleChecksums(options, err);
    }
    return status;
}

// The data bytes a join will move, for the progress bar only: pieces missing now are
// reported by the join itself when their turn comes.
std::uint64_t JoinTotal(const pieces::JoinOptions& options, std::uint64_t firstLength) {
    const std::uint64_t count =
        options.hjsplit
            ? pieces::CountHJSplitPieces(options.sourceFolder, options.baseName)
            : static_cast<std::uint64_t>(std::max<std::int64_t>(options.tagPieceCount, 0));
    std::uint64_t total =
        options.hjsplit ? firstLength
                        : firstLength - std::min<std::uint64_t>(firstLength, pieces::kMetaTagSize);
    for (std::uint64_t k = 2; k <= count; ++k) {
        std::error_code error;
        const auto size = std::filesystem::file_size(
            Utf8Path(pieces::PiecePath(options.sourceFolder, options.baseName, k)), error);
        total += error ? 0 : size;
    }
    return total;
}

int RunJoinCommand(const CliArguments& arguments, COperation& operation, std::ostream& err) {
    const Selection selection = Select(arguments.file);
    if (selection.extension != kFirstPieceExtension) {
        err << Message(kJoinOfOtherFile, selection.path) << '\n';
        return kExitRefused;
    }
    pieces::JoinOptions options;
    options.hjsplit = arguments.hjsplit;
    options.firstPiecePath = selection.path;
    options.sourceFolder = selection.folder;
    options.baseName = selection.title;
    options.destFolder = DestinationFolder(arguments.destFolder, selection.folder);
    std::string takenName;
    if (options.hjsplit) {
        takenName = pieces::HJSplitJoinOutputPath(options.destFolder, options.baseName, false);
    } else {
        // As the window's panel reads the tag when the piece is chosen.
        const pieces::PanelTag tag = pieces::ReadPanelTagFromFile(selection.path);
        options.tagPieceCount = tag.pieceCount;
        options.tagExtension = tag.storedExtension;
        takenName =
            pieces::OwnJoinOutputPath(options.destFolder, options.baseName, tag.extension, false);
    }

    std::optional<JoinVerification> verification;
    if (!arguments.noVerify) {
        int refusal = kExitSuccess;
        verification = PrepareJoinVerification(options, err, refusal);
        if (refusal != kExitSuccess) {
            return refusal;
        }
        options.tap = verification ? &verification->sums : nullptr;
    }

    if (operation.WantsProgress()) {
        operation.StartProgress(JoinTotal(options, selection.length));
    }
    CCliObserver observer(err, operation.Progress());
    EngineResult result = EngineResult::refused;
    try {
        result = pieces::RunJoin(options, observer, operation.Prompt());
    } catch (const pieces::ChecksumMismatch& mismatch) {
        operation.EndProgressLine();
        SayMismatch(mismatch, verification->checksumPath, err);
        return kExitRefused;
    }
    const int status = operation.Conclude(result, res::IDS_JOIN_DONE, takenName);
    if (verification && result == EngineResult::done && !arguments.quiet) {
        err << Message(res::IDS_JOIN_VERIFIED, verification->checksumPath) << '\n';
    }
    return status;
}

int RunVerifyCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err) {
    const Selection selection = Select(arguments.file);
    if (selection.extension != kFirstPieceExtension) {
        err << Message(kJoinOfOtherFile, selection.path) << '\n';
        return kExitRefused;
    }
    return RunVerify(selection.folder, selection.title, arguments.hjsplit, arguments.quiet, out,
                     err);
}

void PrintLines(std::ostream& out, const app::InformationLines& lines) {
    out << lines.first << '\n' << lines.second << '\n';
    out.flush();
}

int RunInfoCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err) {
    const Selection selection = Select(arguments.file);
    out << selection.path << '\n'
        << selection.extension << '\n'
        << app::FormatFileSize(selection.length) << '\n';
    if (selection.extension != kFirstPieceExtension) {
        PrintLines(out, app::FileToCutLines(
                            res::LoadString(res::IDS_PIECES_PRODUCED),
                            pieces::PieceCount(selection.length, arguments.partitionKb),
                            res::LoadString(res::IDS_PARTITION_SIZE), arguments.partitionKb));
        return kExitSuccess;
    }
    if (arguments.hjsplit) {
        const auto panel = app::DescribeHJSplitFirstPiece(selection.folder, selection.title);
        out.flush();
        if (!panel) {
            err << Message(res::IDS_HJSPLIT_NO_EXTENSION) << '\n';
            return kExitRefused;
        }
        PrintLines(out, app::FirstPieceLines(res::LoadString(res::IDS_TAG_EXTENSION),
                                             panel->extension, res::LoadString(res::IDS_TAG_COUNT),
                                             static_cast<std::int64_t>(panel->pieceCount)));
        out << ChecksumPresenceLine(selection.folder, selection.title);
        return kExitSuccess;
    }
    const pieces::PanelTag tag = pieces::ReadPanelTagFromFile(selection.path);
    PrintLines(out, app::FirstPieceLines(res::LoadString(res::IDS_TAG_EXTENSION), tag.extension,
                                         res::LoadString(res::IDS_TAG_COUNT), tag.pieceCount));
    out << ChecksumPresenceLine(selection.folder, selection.title);
    out.flush();
    // The window warns for a count of 0 only; a negative one cannot be joined either.
    if (tag.pieceCount < 1) {
        err << Message(res::IDS_TAG_UNREADABLE) << '\n';
        return kExitRefused;
    }
    return kExitSuccess;
}

}  // namespace

std::string DestinationFolder(const std::string& given, const std::string& fallback) {
    if (given.empty()) {
        return fallback;
    }
    // Absolute, so that messages name the folder whatever the current one; made so before
    // a separator is added, as "C:" is drive C's current folder, not its root.
    std::string folder = MakeAbsolute(given);
    if (!EndsWithSeparator(folder)) {
        folder += CFile::kPathSeparators[0];
    }
    std::error_code error;
    if (!std::filesystem::is_directory(Utf8Path(folder), error)) {
        throw CFileException(CFileException::badPath, given);
    }
    return folder;
}

namespace {

int RunCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err, const CliEnvironment& environment) {
    const ParsedArguments parsed = ParseArguments(args);
    if (!parsed.arguments) {
        err << parsed.error << '\n';
        return kExitUsage;
    }
    const CliArguments& arguments = *parsed.arguments;
    switch (arguments.command) {
        case Command::help:
            out << HelpText();
            return kExitSuccess;
        case Command::version:
            out << "scindarex-cli " << SCX_VERSION_TEXT << '\n';
            return kExitSuccess;
        default:
            break;
    }

    COperation operation(arguments, in, err, environment);
    try {
        switch (arguments.command) {
            case Command::split:
                return RunSplitCommand(arguments, operation, err);
            case Command::join:
                return RunJoinCommand(arguments, operation, err);
            case Command::verify:
                return RunVerifyCommand(arguments, out, err);
            case Command::pack:
            case Command::list:
            case Command::extract:
                return RunArchiveCommand(arguments, in, out, err, environment);
            case Command::compare:
                return RunCompare(arguments, out, err);
            case Command::props:
                return RunProps(arguments, out, err);
            default:
                return RunInfoCommand(arguments, out, err);
        }
    } catch (const CFileException& error) {
        operation.EndProgressLine();
        out.flush();
        err << DescribeOnTerminal(error) << '\n';
    } catch (const std::bad_alloc&) {
        operation.EndProgressLine();
        err << Message(res::IDS_OUT_OF_MEMORY) << '\n';
    } catch (const std::exception& error) {
        operation.EndProgressLine();
        err << DescribeUnexpectedError(error.what()) << '\n';
    } catch (...) {
        operation.EndProgressLine();
        err << DescribeUnexpectedError(nullptr) << '\n';
    }
    return kExitFileError;
}

// Whether everything printed reached standard output: a listing cut short by a full disk
// must not end with the status of a complete one.
bool StandardOutputWritten(std::ostream& out, std::ostream& err) {
    errno = 0;
    out.flush();
    if (!out.fail()) {
        return true;
    }
    const int error = errno;
    const std::string name = res::LoadString(res::IDS_STANDARD_OUTPUT);
    err << DescribeFileError(CFileException(error != 0 ? CFileException::CauseFromErrno(error, name)
                                                       : CFileException::genericException,
                                            name, error))
        << '\n';
    return false;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, const CliEnvironment& environment) {
    const int status = RunCommand(args, in, out, err, environment);
    return StandardOutputWritten(out, err) || status == kExitUsage ? status : kExitFileError;
}

}  // namespace scx::cli
