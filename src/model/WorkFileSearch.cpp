#include "model/WorkFileSearch.h"

#include <array>
#include <optional>
#include <utility>

#include "model/Cp1252.h"
#include "model/DelimitedText.h"
#include "model/EvidenceFields.h"
#include "model/TextUtils.h"
#include "model/srcGlobalDef.h"

namespace orvela {
namespace {

std::array<unsigned char, 256> MakeFold() {
  std::array<unsigned char, 256> fold{};
  for (int c = 0; c < 256; ++c) fold[c] = LowerCase1252(static_cast<unsigned char>(c));
  return fold;
}

const std::array<unsigned char, 256>& Fold() {
  static const std::array<unsigned char, 256> fold = MakeFold();
  return fold;
}

// One search: the folded needle, the hits so far and where they are being found.
class Search {
 public:
  Search(std::string_view needle, const FindOptions& options) : options_(options), fold_(Fold()) {
    needle_.reserve(needle.size());
    for (char c : needle) needle_ += static_cast<char>(fold_[static_cast<unsigned char>(c)]);
  }

  bool full() const { return result_.truncated; }
  FindResult take() { return std::move(result_); }

  // True when the needle occurs in `text`, without recording anything.
  bool occursIn(std::string_view text) const { return next(text, 0) != std::string_view::npos; }

  // Records every occurrence in `text` as a hit like `place`.
  void scan(std::string_view text, const FindHit& place) {
    std::size_t count = 0;
    for (std::size_t at = next(text, 0); at != std::string_view::npos; at = next(text, at + needle_.size())) {
      if (result_.hits.size() == options_.maxHits) {
        result_.truncated = true;
        return;
      }
      FindHit hit = place;
      hit.offset = at;
      hit.occurrence = count++;
      snippet(text, at, hit);
      result_.hits.push_back(std::move(hit));
    }
  }

 private:
  std::size_t next(std::string_view text, std::size_t from) const {
    const std::size_t n = needle_.size();
    if (n == 0 || text.size() < n) return std::string_view::npos;
    const auto first = static_cast<unsigned char>(needle_[0]);
    for (std::size_t i = from; i + n <= text.size(); ++i) {
      if (fold_[static_cast<unsigned char>(text[i])] != first) continue;
      std::size_t k = 1;
      while (k < n && fold_[static_cast<unsigned char>(text[i + k])] == static_cast<unsigned char>(needle_[k])) ++k;
      if (k == n) return i;
    }
    return std::string_view::npos;
  }

  // The context of the hit on one line: control characters (line breaks, tabs) become one
  // blank each run, so that the list shows one row per hit.
  void snippet(std::string_view text, std::size_t at, FindHit& hit) const {
    static constexpr char kEllipsis = '\x85';  // … in Windows-1252
    const std::size_t from = at > options_.context ? at - options_.context : 0;
    const std::size_t to = std::min(text.size(), at + needle_.size() + options_.context);
    std::string out;
    if (from > 0) out += kEllipsis;
    bool blank = false;
    for (std::size_t i = from; i < to; ++i) {
      if (i == at) {
        hit.snippetHit = out.size();
        blank = false;
      }
      const auto c = static_cast<unsigned char>(text[i]);
      if (c < 32 && i >= at && i < at + needle_.size()) {
        out += ' ';  // inside the hit every character keeps its place
      } else if (c < 32) {
        if (!blank) out += ' ';
        blank = true;
      } else {
        out += static_cast<char>(c);
        blank = false;
      }
    }
    if (to < text.size()) out += kEllipsis;
    hit.snippet = std::move(out);
  }

  const FindOptions& options_;
  const std::array<unsigned char, 256>& fold_;
  std::string needle_;
  FindResult result_;
};

// The value of the first line with this key (case ignored), without copying it.
std::string_view ValueOf(const FieldList& record, std::string_view key) {
  for (const std::string& line : record.lines()) {
    if (line.size() > key.size() && line[key.size()] == '=' && EqualsNoCase(std::string_view(line).substr(0, key.size()), key))
      return std::string_view(line).substr(key.size() + 1);
  }
  return {};
}

// The text a field shows, empty for the values that only mean "not set".
std::string FindingFieldText(std::string_view key, std::string_view value) {
  if (EqualsNoCase(key, key::TYPE)) return value.empty() || value == "0" ? std::string() : FindingTypeDisplayText(value);
  if (EqualsNoCase(key, key::DEADLINE)) return value == kNoDeadline ? std::string() : std::string(value);
  // The follow-up status as the windows show it; "offen" is what every finding starts as.
  if (EqualsNoCase(key, key::STATUS)) return FindingStatusIndex(value) == 0 ? std::string() : FindingStatusDisplayText(value);
  if (EqualsNoCase(key, key::REVIEW_DIGEST)) return std::string();
  return std::string(value);
}

std::pair<std::string_view, std::string_view> SplitLine(std::string_view line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return {line, {}};
  return {line.substr(0, eq), line.substr(eq + 1)};
}

// Every field of a record in its order, each value as it is shown.
void ScanRecordFields(Search& search, const FieldList& record, FindHit place,
                      std::string (*shown)(std::string_view, std::string_view)) {
  for (const std::string& line : record.lines()) {
    const auto [key, value] = SplitLine(line);
    // Later lines with a key already seen are never read by anyone; they are not the record's.
    if (ValueOf(record, key).data() != value.data()) continue;
    place.field = std::string(key);
    if (shown)
      search.scan(shown(key, value), place);
    else
      search.scan(value, place);
    if (search.full()) return;
  }
}

void ScanFindings(Search& search, const RecordNode& item, std::string_view listText) {
  std::size_t row = 0;
  for (const std::string& entry : SplitListText(listText)) {
    FindHit place;
    place.place = FindPlace::Finding;
    place.node = &item;
    place.index = row++;
    ScanRecordFields(search, FieldList::fromCommaText(entry), place, &FindingFieldText);
    if (search.full()) return;
  }
}

// Whether an item's findings may hold the needle, judged from their stored list text so
// that most items' findings need not be taken apart: the text holds every value, with its
// quotes doubled, and the finding types as numbers.
class FindingsFilter {
 public:
  FindingsFilter(const Search& search, std::string_view needle) {
    if (needle.find('"') != std::string_view::npos) {
      std::string doubled;
      for (char c : needle) {
        doubled += c;
        if (c == '"') doubled += '"';
      }
      doubled_.emplace(doubled, options_);
    }
    for (const char* type : {"1", "2"})
      if (search.occursIn(FindingTypeDisplayText(type))) typeLines_.push_back(std::string("TYPE=") + type);
  }

  bool mayHold(const Search& search, std::string_view listText) const {
    if (search.occursIn(listText)) return true;
    if (doubled_ && doubled_->occursIn(listText)) return true;
    for (const std::string& line : typeLines_)
      if (listText.find(line) != std::string_view::npos) return true;
    return false;
  }

 private:
  FindOptions options_;
  std::optional<Search> doubled_;
  std::vector<std::string> typeLines_;
};

void ScanStructure(Search& search, const RecordTree& tree, const FindingsFilter& filter) {
  for (const RecordNode* node = NextInTreeOrder(&tree.root()); node && !search.full(); node = NextInTreeOrder(node)) {
    FindHit place;
    place.place = FindPlace::Item;
    place.node = node;
    for (std::string_view field : {key::NAME, key::DESCRIPTION, key::RESULT, key::REVIEW_NOTE}) {
      place.field = std::string(field);
      search.scan(ValueOf(node->record, field), place);
    }
    const std::string_view findings = ValueOf(node->record, key::FINDINGS);
    if (!search.full() && !findings.empty() && filter.mayHold(search, findings)) ScanFindings(search, *node, findings);
  }
}

void ScanDocuments(Search& search, const RecordTree& tree) {
  for (const RecordNode* node = NextInTreeOrder(&tree.root()); node && !search.full(); node = NextInTreeOrder(node)) {
    FindHit place;
    place.place = FindPlace::Document;
    place.node = node;
    for (std::string_view field : {key::NAME, key::REFERENCE, key::DESCRIPTION}) {
      const std::string_view value = ValueOf(node->record, field);
      if (field == key::REFERENCE && value == kNotDefined) continue;
      place.field = std::string(field);
      search.scan(value, place);
    }
  }
}

void ScanDefinitions(Search& search, const WorkFileData& data) {
  const std::string* lists[] = {&data.generalDefs, &data.riskDefs, &data.ouDefs, &data.staffDefs};
  for (std::size_t list = 0; list < std::size(lists) && !search.full(); ++list) {
    std::size_t row = 0;
    for (const FieldList& entry : TextToList(*lists[list])) {
      FindHit place;
      place.place = FindPlace::Definition;
      place.index = list;
      place.entry = row++;
      ScanRecordFields(search, entry, place, nullptr);
      if (search.full()) return;
    }
  }
}

}  // namespace

FindResult FindInWorkFile(const WorkFileData& data, std::string_view descriptionText, std::string_view needle,
                          const FindOptions& options) {
  Search search(needle, options);
  if (needle.empty()) return search.take();
  ScanStructure(search, data.structure, FindingsFilter(search, needle));
  if (!search.full()) ScanDocuments(search, data.documents);
  if (!search.full()) ScanDefinitions(search, data);
  if (!search.full()) {
    FindHit place;
    place.place = FindPlace::Description;
    search.scan(descriptionText, place);
  }
  return search.take();
}

bool SearchTextFromUtf8(std::string_view utf8, std::string& out) {
  std::string bytes;
  if (!Utf8ToCp1252(utf8, bytes)) {
    out.clear();
    return false;
  }
  // Any of CR LF, CR, LF is one line break, stored as CR LF.
  out.clear();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      out += "\r\n";
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      out += bytes[i];
    }
  }
  return true;
}

}  // namespace orvela
