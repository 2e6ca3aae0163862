#include "model/WorkFileData.h"

#include <algorithm>
#include <cstdio>
#include <deque>

#include "model/srcGlobalDef.h"

namespace orvela {
namespace {

std::string TwoDigits(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
  std::string out;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += separator;
    out += parts[i];
  }
  return out;
}

}  // namespace

std::string ShortDateText(const LocalDateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", t.day, t.month, t.year);
  return buf;
}

std::string LongTimeText(const LocalDateTime& t) {
  return TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second);
}

std::string DateTimeText(const LocalDateTime& t) {
  if (t.hour == 0 && t.minute == 0 && t.second == 0) return ShortDateText(t);
  return ShortDateText(t) + " " + LongTimeText(t);
}

void ResetWorkFileData(WorkFileData& data, const StampSource& stamps) {
  data.fileName.clear();
  data.modified = false;
  data.lastItemId = 0;
  // A missing source gives an empty stamp rather than an exception while a window opens.
  data.createdBy = stamps.userStamp ? stamps.userStamp() : std::string();
  data.createdAt = stamps.now ? DateTimeText(stamps.now()) : std::string();
  data.savedBy.clear();
  data.savedAt.clear();
  data.generalDefs.clear();
  data.riskDefs.clear();
  data.ouDefs.clear();
  data.staffDefs.clear();
  data.structure.clear();
  data.documents.clear();
  data.description.clear();
}

void RenumberItems(WorkFileData& data) {
  if (data.structure.empty()) return;
  int n = 0;
  data.structure.forEach([&n](RecordNode& item) { item.record.setValue(key::ID, std::to_string(++n)); });
  data.lastItemId = n;
}

std::string OutlineNumber(const RecordNode& item) {
  std::vector<std::string> positions;
  for (const RecordNode* n = &item; !n->isRoot(); n = n->parent()) positions.push_back(std::to_string(n->row() + 1));
  std::reverse(positions.begin(), positions.end());
  return Join(positions, ".");
}

std::string DisplayName(std::string_view fileName, const std::function<int(std::string_view)>& widthOf,
                        int maxWidth) {
  if (fileName.empty()) return "unbenannt";
  // A leading "/" plays the part of the drive.
  std::string drive = fileName.front() == '/' ? "/" : "";
  std::string_view rest = fileName.substr(drive.size());
  const std::size_t lastSlash = rest.rfind('/');
  const std::string name(lastSlash == std::string_view::npos ? rest : rest.substr(lastSlash + 1));
  std::deque<std::string> dirs;
  if (lastSlash != std::string_view::npos) {
    std::string_view dirPart = rest.substr(0, lastSlash);
    while (!dirPart.empty()) {
      const std::size_t slash = dirPart.find('/');
      dirs.emplace_back(dirPart.substr(0, slash));
      dirPart = slash == std::string_view::npos ? std::string_view() : dirPart.substr(slash + 1);
    }
  }
  bool marked = false;
  std::string result(fileName);
  while (widthOf(result) > maxWidth) {
    if (!dirs.empty()) {
      dirs.pop_front();
      marked = true;
    } else if (!drive.empty()) {
      drive.clear();
    } else if (marked) {
      marked = false;
    } else {
      break;  // the file name alone; it is never shortened
    }
    result = drive + (marked ? ".../" : "");
    for (const std::string& d : dirs) result += d + "/";
    result += name;
  }
  return result;
}

}  // namespace orvela
