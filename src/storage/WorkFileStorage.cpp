#include "storage/WorkFileStorage.h"

#include "model/TextUtils.h"

namespace orvela {

std::string WriteWorkFile(const WorkFileData& data, const std::string& path, FileOps& ops, const ReplaceGuard& guard) {
  std::string content = BuildEnvelope(BuildWorkFileXml(data));
  WriteFileSafely(path, content, ops, guard);
  return content;
}

SaveResult SaveWorkFile(WorkFileData& data, const std::string& path, const StampSource& stamps, FileOps& ops,
                        const FileStamp* expected) {
  SaveResult result;
  ReplaceGuard guard;
  if (expected) {
    const FileStamp before = *expected;
    guard = [before](const std::string& previous) { return FileUnchangedSince(previous, before); };
  }
  try {
    data.savedAt = DateTimeText(stamps.now());
    data.savedBy = stamps.userStamp();
    const std::string content = WriteWorkFile(data, path, ops, guard);
    data.fileName = path;
    // Without a time to go by, the check sum alone tells the next comparison the truth.
    result.stamp = StampOfContent(path, content).value_or(FileStamp{content.size(), 0, Md5Hex(content)});
  } catch (const FileChangedError& e) {
    result.ok = false;
    result.changedOnDisk = true;
    result.message = kCannotSaveMessage;
    result.detail = e.what();
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
  result.stamp = StampOfContent(path, content).value_or(FileStamp{content.size(), 0, Md5Hex(content)});
  return result;
}

LoadResult LoadWorkFileRenumbered(WorkFileData& data, const std::string& path, const WarningSink& warnings) {
  LoadResult result = LoadWorkFile(data, path, warnings);
  if (result.ok()) RenumberItems(data);
  return result;
}

}  // namespace orvela
