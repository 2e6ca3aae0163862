#include "reports/engine/ReadableValues.h"

#include <cstddef>
#include <vector>

#include "model/DelimitedText.h"
#include "model/DocumentsRegister.h"
#include "model/srcGlobalDef.h"

namespace orvela {

namespace {

constexpr std::string_view kUndefined = "nicht definiert";

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += ", ";
    out += lines[i];
  }
  return out;
}

}  // namespace

std::string WorkStateReadable(std::string_view stored) {
  std::string shown = WorkStateDisplayText(stored);
  return shown.empty() ? std::string(kUndefined) : shown;
}

std::string DocTypeReadable(std::string_view stored) { return std::string(DocTypeDisplayText(DocTypeIndex(stored))); }

std::string CommaTextReadable(std::string_view commaText) { return JoinLines(ReadCommaText(commaText)); }

DocumentNames::DocumentNames(const RecordTree* documents) {
  if (documents == nullptr) return;
  documents->forEach([this](const RecordNode& document) {
    nameById_.emplace(document.record.value(key::ID), document.record.value(key::NAME));  // the first one stays
  });
}

std::string DocumentNames::readable(std::string_view idCommaText) const {
  std::vector<std::string> lines = ReadCommaText(idCommaText);
  for (std::string& id : lines) {
    const auto found = nameById_.find(id);
    if (found != nameById_.end()) id = found->second;
  }
  return JoinLines(lines);
}

}  // namespace orvela
