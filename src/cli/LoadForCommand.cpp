#include "cli/LoadForCommand.h"

#include <ostream>

#include "storage/WorkFileStorage.h"

namespace orvela::cli {

bool LoadForCommand(const std::string& file, WorkFileData& data, std::ostream& err) {
  const LoadResult loaded = LoadWorkFileRenumbered(data, file, [&](LoadWarning, const std::string& text) {
    err << "orvela-wp-cli: " << file << ": " << text << '\n';
  });
  if (loaded.ok()) return true;
  err << "orvela-wp-cli: " << loaded.message << '\n';
  if (!loaded.detail.empty()) err << "orvela-wp-cli: " << loaded.detail << '\n';
  return false;
}

}  // namespace orvela::cli
