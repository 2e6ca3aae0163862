#pragma once
// The data of one open work file. Text fields are Windows-1252; fileName is a native path.
#include <functional>
#include <string>
#include <string_view>

#include "model/RecordTree.h"

namespace orvela {

struct LocalDateTime {
  int year = 1900, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// dd.MM.yyyy and HH:mm:ss, the formats of the German desktop.
std::string ShortDateText(const LocalDateTime& t);
std::string LongTimeText(const LocalDateTime& t);
// Short date, a blank, long time; the date alone at exactly midnight.
std::string DateTimeText(const LocalDateTime& t);

// Where stamps come from: the platform layer supplies the account and the clock, tests
// fixed values.
struct StampSource {
  std::function<std::string()> userStamp;  // domain "/" logon name, Windows-1252
  std::function<LocalDateTime()> now;
};

struct WorkFileData {
  std::string fileName;
  bool modified = false;
  int lastItemId = 0;
  std::string createdBy, createdAt, savedBy, savedAt;
  std::string generalDefs, riskDefs, ouDefs, staffDefs;  // list text
  RecordTree structure;
  RecordTree documents;
  std::string description;  // a complete RTF document text
};

void ResetWorkFileData(WorkFileData& data, const StampSource& stamps);

// Renumbers ID 1..n in tree order and sets lastItemId := n; nothing for an empty tree.
void RenumberItems(WorkFileData& data);
// Positions from 1 of the top-level ancestor down to the item, joined by ".".
std::string OutlineNumber(const RecordNode& item);

// The caption form of a path: "unbenannt" when empty, else shortened from the left until
// `widthOf` says it fits into `maxWidth` pixels, one directory at a time ("/home/a/b/x.owp"
// → "/.../a/b/x.owp" → "/.../b/x.owp" → "/.../x.owp" → ".../x.owp" → "x.owp"). The path is
// UTF-8, so is the result.
std::string DisplayName(std::string_view fileName, const std::function<int(std::string_view)>& widthOf,
                        int maxWidth = 300);

}  // namespace orvela
