#include "storage/WorkFileStorage.h"

#include "model/TextUtils.h"

namespace orvela {

void WriteWorkFile(const WorkFileData& data, const std::string& path, FileOps& ops) {
  WriteFileSafely(path, BuildEnvelope(BuildWorkFileXml(data)), ops);
}

SaveResult SaveWorkFile(WorkFileData& data, const std::string& path, const StampSource& stamps, FileOps& ops) {
  SaveResult result;
  try {
    data.savedAt = DateTimeText(stamps.now());
    data.savedBy = stamps.userStamp();
    WriteWorkFile(data, path, ops);
    data.fileName = path;
  } catch (const std::exception& e) {
    result.ok = false;
    result.message = kCannotSaveMessage;
    result.detail = e.what();
  }
  return result;
}

LoadResult LoadWorkFile(WorkFileData& data, const std::string& path, const WarningSink& warnings) {
  LoadResult result;
  std::string content;
  try {
    content = ReadWholeFile(path);
  } catch (const std::exception& e) {
    result.status = LoadResult::Status::ReadFailed;
    result.message = kCannotReadMessage;
    result.detail = e.what();
    return result;
  }
  try {
    ParseWorkFileXml(data, content, warnings);
  } catch (const xml::XmlError& e) {
    result.status = LoadResult::Status::ParseFailed;
    result.message = e.what();
    return result;
  }
  data.fileName = path;
  return result;
}

LoadResult LoadWorkFileRenumbered(WorkFileData& data, const std::string& path, const WarningSink& warnings) {
  LoadResult result = LoadWorkFile(data, path, warnings);
  if (result.ok()) RenumberItems(data);
  return result;
}

}  // namespace orvela
