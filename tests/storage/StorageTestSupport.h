#pragma once
// Shared pieces of the storage tests: fixed stamps, temporary folders and generated
// work files.
#include <filesystem>
#include <random>
#include <string>

#include "model/DelimitedText.h"
#include "model/WorkFileData.h"
#include "model/srcGlobalDef.h"

namespace orvela::test {

inline StampSource FixedStamps(std::string user = "HOST/pruefer", LocalDateTime at = {2024, 12, 9, 14, 3, 5}) {
  return StampSource{[user] { return user; }, [at] { return at; }};
}

// A folder removed with everything in it when the test ends.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvela-storage-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Values that exercise escaping and the raw bytes the file keeps: markup characters,
// line breaks, tabs, BEL, bytes 128..255. `listSafe` leaves out DC1, which separates the
// entries of list text and so cannot appear inside a finding or definition entry.
class ValueGenerator {
 public:
  explicit ValueGenerator(unsigned seed) : rng_(seed) {}

  std::string value(bool listSafe, std::size_t maxLength = 24) {
    static const std::string specials = "&<>'\"\r\n\t\x07 =,;#x";
    std::string out;
    const std::size_t length = pick(maxLength + 1);
    for (std::size_t i = 0; i < length; ++i) {
      switch (pick(6)) {
        case 0: out += specials[pick(specials.size())]; break;
        case 1: out += static_cast<char>(128 + pick(128)); break;
        case 2: out += listSafe ? ';' : '\x11'; break;
        case 3: out += "&amp;"; break;
        default: out += static_cast<char>('a' + pick(26)); break;
      }
    }
    return out;
  }
  std::size_t pick(std::size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }
  bool coin() { return pick(2) == 1; }

 private:
  std::mt19937 rng_;
};

// Fills `data` with every record kind: definitions, documents, a tree of items with
// findings, and stamps. Item IDs are renumbered so that parents can be named.
inline void GenerateWorkFile(WorkFileData& data, unsigned seed, std::size_t items = 60, std::size_t maxDepth = 6) {
  ValueGenerator g(seed);
  ResetWorkFileData(data, FixedStamps());
  data.savedBy = g.value(false);
  data.savedAt = g.value(false);
  data.description = "{\\rtf1\\ansi \r\n" + g.value(false, 200) + "\r\n}";
  for (std::string* list : {&data.generalDefs, &data.riskDefs, &data.ouDefs, &data.staffDefs}) {
    std::vector<FieldList> entries(g.pick(4));
    for (FieldList& e : entries) e = FieldList({"ITEM=" + g.value(true), "VALUE=" + g.value(true)});
    *list = ListToText(entries);
  }
  for (std::size_t i = g.pick(6); i > 0; --i) {
    FieldList doc = NewDocumentRecord();
    for (std::string_view k : {key::NAME, key::REFERENCE, key::TYPE, key::DESCRIPTION}) doc.setValue(k, g.value(false));
    doc.setValue(key::ID, std::to_string(i));
    data.documents.append(nullptr, std::move(doc));
  }
  std::vector<RecordNode*> placed;
  for (std::size_t i = 0; i < items; ++i) {
    RecordNode* parent = nullptr;
    if (!placed.empty() && g.pick(3) != 0) {
      parent = placed[g.pick(placed.size())];
      std::size_t depth = 0;
      for (RecordNode* p = parent; !p->isRoot(); p = p->parent()) ++depth;
      if (depth >= maxDepth) parent = nullptr;
    }
    FieldList r = NewStructureItemRecord(data.lastItemId);
    for (std::string_view k : {key::NAME, key::RISK, key::OU_X, key::OU_UX, key::WORKSTATE, key::DESCRIPTION, key::RESULT,
                               key::DOCUMENTS})
      r.setValue(k, g.coin() ? g.value(false) : std::string());
    std::vector<FieldList> findings(g.pick(4));
    for (FieldList& f : findings) {
      f = NewPanelFindingRecord();
      for (std::string_view k : {key::NAME, key::TYPE, key::RISK, key::OU, key::EVIDENCE, key::DESCRIPTION, key::DEADLINE})
        f.setValue(k, g.coin() ? g.value(true) : std::string());
      if (f.empty()) f.setValue(key::NAME, "x");  // an empty finding record does not survive list text
    }
    r.setValue(key::FINDINGS, ListToText(findings));
    RecordNode* node = data.structure.append(parent, std::move(r));
    node->expanded = g.coin();
    placed.push_back(node);
  }
  RenumberItems(data);
}

}  // namespace orvela::test
