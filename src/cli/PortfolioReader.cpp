#include "cli/PortfolioReader.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <set>

#include "model/TextUtils.h"
#include "storage/Envelope.h"
#include "storage/WorkFileXml.h"

namespace orvela::cli {
namespace fs = std::filesystem;

namespace {

bool HasWorkFileExtension(const fs::path& path) { return EqualsNoCase(path.extension().string(), ".owp"); }

// The *.owp files under `folder`, sorted. A sub-folder that cannot be entered is reported
// and skipped; the rest is still searched.
std::vector<std::string> WorkFilesUnder(const fs::path& folder, std::ostream& err, bool& skipped) {
  std::vector<std::string> found;
  std::error_code ec;
  fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    std::error_code typeError;
    if (it->is_regular_file(typeError) && HasWorkFileExtension(it->path())) found.push_back(it->path().string());
  }
  if (ec) {
    ReportFileProblem(err, folder.string(), "Der Ordner kann nicht durchsucht werden (" + ec.message() + ").");
    skipped = true;
  }
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace

void ReportFileProblem(std::ostream& err, const std::string& path, const std::string& text) {
  err << "orvela-wp-cli: " << path << ": " << text << '\n';
}

std::vector<std::string> CollectWorkFiles(const std::vector<std::string>& paths, std::ostream& err, bool& skipped) {
  std::vector<std::string> files;
  std::set<fs::path> seen;  // the same file named twice, or found in two given folders
  auto add = [&](const std::string& file) {
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(file, ec);
    if (seen.insert(ec ? fs::path(file) : canonical).second) files.push_back(file);
  };
  for (const std::string& path : paths) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (fs::is_directory(status)) {
      for (const std::string& file : WorkFilesUnder(path, err, skipped)) add(file);
    } else if (fs::exists(status)) {
      add(path);
    } else {
      ReportFileProblem(err, path, "Die Datei oder der Ordner existiert nicht.");
      skipped = true;
    }
  }
  return files;
}

std::string ReadPortfolioFile(const std::string& path, bool check, WorkFileData& data,
                              std::vector<std::string>& warnings) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return "Keine gewöhnliche Datei.";
  std::string content;
  try {
    content = ReadWholeFile(path);
  } catch (const FileError& e) {
    return e.what();
  }
  if (check && !EnvelopeIsIntact(content)) {
    return content.starts_with(kWorkFileMagic) ? "Die Datei ist beschädigt (die Prüfsumme stimmt nicht)."
                                               : LoadWarningText(LoadWarning::NotAWorkFile);
  }
  bool notAWorkFile = false;
  try {
    ParseWorkFileXml(data, content, [&](LoadWarning warning, const std::string& text) {
      if (warning == LoadWarning::NotAWorkFile)
        notAWorkFile = true;
      else
        warnings.push_back(text);
    });
  } catch (const std::exception& e) {
    return notAWorkFile ? LoadWarningText(LoadWarning::NotAWorkFile) : std::string(e.what());
  }
  if (notAWorkFile) return LoadWarningText(LoadWarning::NotAWorkFile);
  data.fileName = path;
  RenumberItems(data);
  return {};
}

namespace detail {
unsigned ReaderThreads(unsigned requested, std::size_t files) {
  unsigned threads = requested ? requested : std::max(1u, std::thread::hardware_concurrency());
  return unsigned(std::clamp<std::size_t>(files, 1, threads));
}
}  // namespace detail

}  // namespace orvela::cli
