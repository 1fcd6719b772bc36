#include "CliArchive.h"

#include <optional>
#include <set>

#include "ArchiveExtractor.h"
#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "EscapedText.h"
#include "File.h"
#include "FileErrorText.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "TerminalProgress.h"
#include "TerminalPrompt.h"

namespace scx::cli {

namespace {

std::string Message(unsigned stringId, std::string_view detail = {}) {
    return ReplacePathSlot(res::LoadString(stringId), detail);
}

// The bar appears with the first bytes moved, once the total is known.
class CLazyProgress {
  public:
    CLazyProgress(std::ostream& err, const CliArguments& arguments,
                  const CliEnvironment& environment)
        : m_err(err),
          m_clock(environment.clock),
          m_wanted(environment.errIsTerminal && !arguments.quiet) {}

    void Update(std::uint64_t done, std::uint64_t total) {
        if (!m_wanted) {
            return;
        }
        if (!m_bar) {
            m_bar.emplace(m_err, total, m_clock);
        }
        m_bar->Update(done);
    }
    void Finish() {
        if (m_bar) {
            m_bar->Finish();
        }
    }
    void Abandon() {
        if (m_bar) {
            m_bar->Abandon();
        }
    }
    void Restart() {
        if (m_bar) {
            m_bar->Restart();
        }
    }

  private:
    std::ostream& m_err;
    Clock m_clock;
    bool m_wanted;
    std::optional<CTerminalProgress> m_bar;
};

class CPackReport : public archive::CArchiveWriteObserver {
  public:
    CPackReport(std::ostream& err, CLazyProgress& progress) : m_err(err), m_progress(progress) {}
    void OnRefusal(unsigned stringId, const std::string& path) override {
        m_err << Message(stringId, path) << '\n';
    }
    void OnBytesCopied(std::uint64_t done, std::uint64_t total) override {
        m_progress.Update(done, total);
    }

  private:
    std::ostream& m_err;
    CLazyProgress& m_progress;
};

int RunPack(const CliArguments& arguments, std::ostream& err, CLazyProgress& progress) {
    std::vector<archive::ArchiveMemberFile> members;
    std::set<std::string> names;
    for (const std::string& file : arguments.members) {
        const std::string name = archive::EntryNameOf(file);
        if (!archive::IsStorableName(name)) {
            err << Message(res::IDS_NAME_NOT_STORABLE, file) << '\n';
            return kExitRefused;
        }
        if (!names.insert(name).second) {
            err << Message(res::IDS_ALREADY_IN_LIST) << " : " << file << '\n';
            return kExitRefused;
        }
        members.push_back({name, file});
    }
    const archive::ArchiveProperties properties{arguments.author, arguments.content,
                                                archive::WithCrLf(arguments.comment)};
    CPackReport report(err, progress);
    if (archive::WriteArchive(arguments.file, properties, members, report) !=
        archive::WriteResult::written) {
        return kExitRefused;
    }
    progress.Finish();
    if (!arguments.quiet) {
        err << Message(res::IDS_ARCHIVE_CREATED) << '\n';
    }
    return kExitSuccess;
}

// The notices and the corruption go to `err` as the parse meets them.
class CLoadReport : public archive::ArchiveListing {
  public:
    explicit CLoadReport(std::ostream& err) : m_err(err) {}
    void OnNewerVersion() override { m_err << Message(res::IDS_NEWER_VERSION) << '\n'; }
    void OnNewerFormat() override { m_err << Message(res::IDS_NEWER_FORMAT) << '\n'; }
    void OnCorrupt() override { m_err << Message(res::IDS_ARCHIVE_CORRUPT) << '\n'; }

  private:
    std::ostream& m_err;
};

// Each line as the parse meets it, whatever the number of entries. Stored texts are
// escaped: they can neither drive the terminal nor forge a line or a field.
class CListPrinter : public CLoadReport {
  public:
    CListPrinter(std::ostream& out, std::ostream& err) : CLoadReport(err), m_out(out) {}
    void OnAuthor(const std::string& text) override {
        m_out << "Auteur : " << EscapeForListing(text) << '\n';
    }
    void OnContent(const std::string& text) override {
        m_out << "Contenu : " << EscapeForListing(text) << '\n';
    }
    void OnComment(const std::string& text) override {
        m_out << "Commentaire : " << EscapeForListing(archive::WithLineFeeds(text)) << '\n';
    }
    void OnEntry(const archive::ArchiveEntry& entry) override {
        m_out << EscapeForListing(entry.name) << '\t' << EscapeForListing(entry.sizeText) << '\t'
              << EscapeForListing(entry.positionText) << '\n';
    }

  private:
    std::ostream& m_out;
};

int RunList(const CliArguments& arguments, std::ostream& out, std::ostream& err) {
    CListPrinter printer(out, err);
    const bool loaded = archive::LoadArchiveFile(arguments.file, printer);
    out.flush();
    return loaded ? kExitSuccess : kExitRefused;
}

class CExtractReport : public archive::CArchiveExtractObserver {
  public:
    CExtractReport(std::ostream& err, CLazyProgress& progress, IfExists mode,
                   const std::vector<archive::ArchiveEntry>& rows)
        : m_err(err), m_progress(progress), m_mode(mode), m_rows(rows) {}
    // Names come from the archive, escaped as in the listing; so do paths that end with one.
    void OnRefusal(unsigned stringId, const std::string& name) override {
        m_progress.Abandon();
        // Texts without a place for the name (142, 134) are followed by it, as the
        // questions are.
        const std::string text = res::LoadString(stringId);
        const std::string detail = EscapeControlCharacters(name);
        m_err << (text.find("%1") != std::string::npos ? ReplacePathSlot(text, detail)
                                                       : text + "\n\"" + detail + "\"")
              << '\n';
        m_skipped = true;
    }
    void OnDeclined(std::size_t index, const std::string& takenPath) override {
        m_progress.Abandon();
        // Declined by an --if-exists answer: name the file it kept and what would go on.
        switch (m_mode) {
            case IfExists::fail:
                m_err << Message(res::IDS_MEMBER_OUTPUT_TAKEN, EscapeControlCharacters(takenPath));
                break;
            case IfExists::copy:
                m_err << Message(res::IDS_MEMBER_COPY_TAKEN, EscapeControlCharacters(takenPath));
                break;
            default:
                m_err << Message(res::IDS_MEMBER_NOT_EXTRACTED,
                                 EscapeControlCharacters(m_rows[index].name));
                break;
        }
        m_err << '\n';
        m_skipped = true;
    }
    void OnBytesCopied(std::uint64_t done, std::uint64_t total) override {
        m_progress.Update(done, total);
    }
    bool Skipped() const { return m_skipped; }

  private:
    std::ostream& m_err;
    CLazyProgress& m_progress;
    IfExists m_mode;
    const std::vector<archive::ArchiveEntry>& m_rows;
    bool m_skipped = false;
};

// The rows to extract, in directory order: every entry, or every entry of the names
// given, each through the existing-output rule however many bear one name. The names
// given that the archive does not hold are reported.
std::vector<archive::ArchiveEntry> ChooseRows(const CliArguments& arguments,
                                              const std::vector<archive::ArchiveEntry>& entries,
                                              std::ostream& err, bool& missing) {
    const std::set<std::string> wanted(arguments.members.begin(), arguments.members.end());
    std::set<std::string> found;
    std::vector<archive::ArchiveEntry> rows;
    for (const archive::ArchiveEntry& entry : entries) {
        if (wanted.empty()) {
            rows.push_back(entry);
        } else if (wanted.count(entry.name) != 0) {
            rows.push_back(entry);
            found.insert(entry.name);
        }
    }
    for (const std::string& name : wanted) {
        if (found.count(name) == 0) {
            err << Message(res::IDS_MEMBER_NOT_IN_ARCHIVE, name) << '\n';
            missing = true;
        }
    }
    return rows;
}

int RunExtract(const CliArguments& arguments, std::istream& in, std::ostream& err,
               const CliEnvironment& environment, CLazyProgress& progress) {
    CLoadReport listing(err);
    if (!archive::LoadArchiveFile(arguments.file, listing)) {
        return kExitRefused;
    }
    // The archive's own folder, whatever the current one.
    CFile archiveFile(arguments.file, CFile::modeRead | CFile::shareExclusive);
    const std::string archivePath = archiveFile.GetFilePath();
    archiveFile.Close();
    const std::string archiveFolder =
        archivePath.substr(0, archivePath.find_last_of(CFile::kPathSeparators) + 1);

    bool missing = false;
    const std::vector<archive::ArchiveEntry> rows =
        ChooseRows(arguments, listing.entries, err, missing);
    const archive::ExtractOptions options{archivePath, listing.dataStart,
                                          DestinationFolder(arguments.destFolder, archiveFolder)};

    const IfExists mode =
        arguments.ifExists.value_or(environment.inIsTerminal ? IfExists::ask : IfExists::fail);
    CTerminalPrompt prompt(mode, in, err);
    prompt.SetAfterAnswer([&progress] { progress.Restart(); });
    CExtractReport report(err, progress, mode, rows);
    archive::ExtractMembers(options, rows, report, prompt);
    progress.Finish();
    if (missing || report.Skipped()) {
        return kExitRefused;
    }
    if (!arguments.quiet) {
        err << Message(res::IDS_EXTRACT_DONE) << '\n';
    }
    return kExitSuccess;
}

}  // namespace

int RunArchiveCommand(const CliArguments& arguments, std::istream& in, std::ostream& out,
                      std::ostream& err, const CliEnvironment& environment) {
    CLazyProgress progress(err, arguments, environment);
    try {
        switch (arguments.command) {
            case Command::pack:
                return RunPack(arguments, err, progress);
            case Command::list:
                return RunList(arguments, out, err);
            default:
                return RunExtract(arguments, in, err, environment, progress);
        }
    } catch (...) {
        progress.Abandon();
        throw;
    }
}

}  // namespace scx::cli
