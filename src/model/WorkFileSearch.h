#pragma once
// Finding a text anywhere in a work file: item names, descriptions and results, every field
// of every finding, the documents' names, references and descriptions, the definition lists
// and the plain text of the project description. Letter case is ignored by the
// Windows-1252 case table; texts and the search text are Windows-1252 bytes.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/WorkFileData.h"

namespace orvela {

enum class FindPlace { Item, Finding, Document, Definition, Description };

// One occurrence of the search text.
struct FindHit {
  FindPlace place = FindPlace::Item;
  // The structure item (Item, Finding) or the document (Document); null otherwise.
  const RecordNode* node = nullptr;
  // Finding: its row in the item's list. Definition: the list (0 general, 1 risk,
  // 2 organisational units, 3 staff).
  std::size_t index = 0;
  // Definition: the entry's row in its list.
  std::size_t entry = 0;
  // The key of the field searched ("NAME", "DESCRIPTION", …); empty for the description.
  std::string field;
  // Where the hit starts in the field's text, and how many hits that text had before it.
  std::size_t offset = 0;
  std::size_t occurrence = 0;
  // The text around the hit on one line, "…" where it was cut; the hit starts at snippetHit.
  std::string snippet;
  std::size_t snippetHit = 0;
};

struct FindOptions {
  // Beyond this the search stops and says so: a list of more hits helps nobody.
  std::size_t maxHits = 10000;
  // Characters of context on each side of the hit in the snippet.
  std::size_t context = 32;
};

struct FindResult {
  std::vector<FindHit> hits;
  bool truncated = false;  // more hits exist than maxHits
};

// Every occurrence of `needle` (letter case ignored, occurrences not overlapping) in tree
// order of the structure (an item's name, description and result, then its findings, each
// finding's fields in record order), then the documents register in tree order, the four
// definition lists, the description's plain text `descriptionText`. An empty needle finds
// nothing. Placeholders that only stand for "not set" (a reference "<nicht definiert>", a
// deadline 01.01.1900, finding type 0) are no text of the user's and are not searched;
// the finding types 1 and 2 are searched by their shown names.
FindResult FindInWorkFile(const WorkFileData& data, std::string_view descriptionText, std::string_view needle,
                          const FindOptions& options = {});

// The Windows-1252 search text for a UTF-8 one, with line breaks as the work file stores
// them (CR LF). False when the text holds a character Windows-1252 cannot hold: such a
// text cannot occur in the file and finds nothing.
bool SearchTextFromUtf8(std::string_view utf8, std::string& out);

}  // namespace orvela
