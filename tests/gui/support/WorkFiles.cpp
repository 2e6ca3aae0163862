#include "support/WorkFiles.h"

#include <QFile>

#include "storage/WorkFileStorage.h"

namespace orvela::test {

StampSource SteppingStamps(const std::string& user, LocalDateTime start) {
  auto clock = std::make_shared<LocalDateTime>(start);
  return {[user] { return user; },
          [clock] {
            LocalDateTime now = *clock;
            if (++clock->second == 60) {
              clock->second = 0;
              ++clock->minute;
            }
            return now;
          }};
}

void WriteSampleWorkFile(const QString& path, const std::string& itemName,
                         const std::function<void(WorkFileData&)>& fill) {
  WorkFileData data;
  ResetWorkFileData(data, SteppingStamps("VORLAGE/ersteller", {2023, 1, 2, 8, 0, 0}));
  data.savedBy = "VORLAGE/speicherer";
  data.savedAt = "03.01.2023 09:00:00";
  data.structure.append(nullptr, FieldList({"ID=1", "NAME=" + itemName, "WORKSTATE=<nicht definiert>"}));
  if (fill) fill(data);
  WriteWorkFile(data, path.toStdString());
}

void DamageWorkFile(const QString& path) {
  QByteArray bytes = ReadRawFile(path);
  if (bytes.size() < 72) qFatal("work file too short to damage");
  // One of the leading zeros of the check field: the XML text stays readable.
  bytes[20] = '1';
  WriteRawFile(path, bytes);
}

void WriteRawFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
    qFatal("cannot write %s", qPrintable(path));
}

QByteArray ReadRawFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

}  // namespace orvela::test
