// The settings file's text, read and written from arbitrary bytes. The input is a few keys
// with values to write, then the file: reading must not fail; after writing, every key
// written reads back by the reading rules, every other setting reads as before, the lines
// not written to keep their bytes, and writing the same again changes nothing. The window
// places of the file, written back, read the same and leave the general settings alone.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/SettingsText.h"

namespace {

using orvela::platform::GeneralSettings;
using orvela::platform::SettingsValues;

// The keys the program writes, each with the comparison of the setting it holds.
struct Key {
  const char* name;
  bool (*same)(const GeneralSettings&, const GeneralSettings&);
};
const Key kKeys[] = {
    {"WorkingDir", [](const GeneralSettings& a, const GeneralSettings& b) { return a.workingDir == b.workingDir; }},
    {"ReportDir", [](const GeneralSettings& a, const GeneralSettings& b) { return a.reportDir == b.reportDir; }},
    {"Template", [](const GeneralSettings& a, const GeneralSettings& b) { return a.templatePath == b.templatePath; }},
    {"NewFileOnStartup",
     [](const GeneralSettings& a, const GeneralSettings& b) { return a.newFileOnStartup == b.newFileOnStartup; }},
    {"NoFileIntegrityCheck",
     [](const GeneralSettings& a, const GeneralSettings& b) { return a.noFileIntegrityCheck == b.noFileIntegrityCheck; }},
    {"RecentFiles", [](const GeneralSettings& a, const GeneralSettings& b) { return a.recentFiles == b.recentFiles; }},
};
constexpr std::size_t kKeyCount = std::size(kKeys);

QString KeyOf(const QByteArray& raw) {
  QString line = QString::fromUtf8(raw.endsWith('\r') ? raw.chopped(1) : raw);
  const qsizetype eq = line.indexOf(QLatin1Char('='));
  return eq < 0 ? QString() : line.left(eq).trimmed();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  // Head: a count, then per key a byte choosing the key and its spelling, a length and the
  // value's bytes. The rest is the file.
  std::size_t at = 0;
  const std::size_t count = size > 0 ? bytes[at++] % 4 : 0;
  SettingsValues keyValues;
  std::vector<std::size_t> keyIndex;
  for (std::size_t k = 0; k < count && at + 2 <= size; ++k) {
    const std::uint8_t choice = bytes[at];
    const std::size_t length = std::min<std::size_t>(bytes[at + 1], size - at - 2);
    at += 2;
    const std::size_t index = choice % kKeyCount;
    QString key = QString::fromLatin1(kKeys[index].name);
    if (choice / kKeyCount % 3 == 1) key = key.toLower();
    if (choice / kKeyCount % 3 == 2) key = QStringLiteral(" ") + key + QStringLiteral("\t");
    keyValues.append({key, QString::fromUtf8(reinterpret_cast<const char*>(bytes + at), qsizetype(length))});
    keyIndex.push_back(index);
    at += length;
  }
  const QByteArray file(reinterpret_cast<const char*>(bytes + at), qsizetype(size - at));

  const GeneralSettings before = orvela::platform::ParseGeneralSettings(file);
  const std::optional<QByteArray> merged = orvela::platform::MergeSettingsValues(file, keyValues);
  if (!merged) {
    // Refused only for a value with a line break.
    for (const auto& kv : keyValues)
      if (kv.second.contains(QLatin1Char('\n')) || kv.second.contains(QLatin1Char('\r'))) return 0;
    std::abort();
  }

  // A written key reads as it would from a file holding only that line (the last value
  // written wins); every other setting reads as before.
  QByteArray alone = "[GeneralSettings]\n";
  std::array<bool, kKeyCount> written{};
  for (qsizetype k = keyValues.size(); k-- > 0;) {
    alone += (keyValues[k].first + QLatin1Char('=') + keyValues[k].second).toUtf8() + '\n';
    written[keyIndex[std::size_t(k)]] = true;
  }
  const GeneralSettings read = orvela::platform::ParseGeneralSettings(*merged);
  const GeneralSettings fresh = orvela::platform::ParseGeneralSettings(alone);
  for (std::size_t i = 0; i < kKeyCount; ++i)
    if (!kKeys[i].same(read, written[i] ? fresh : before)) std::abort();
  if (orvela::platform::MergeSettingsValues(*merged, keyValues) != merged) std::abort();

  // Every line not holding one of the written keys is still there, in order, byte for byte.
  const QList<QByteArray> after = merged->split('\n');
  qsizetype next = 0;
  QList<QByteArray> original = file.split('\n');
  if (!original.isEmpty() && original.constLast().isEmpty()) original.removeLast();
  for (const QByteArray& line : original) {
    const QString key = KeyOf(line);
    bool written = false;
    for (const auto& kv : keyValues) written = written || key.compare(kv.first.trimmed(), Qt::CaseInsensitive) == 0;
    if (written) continue;
    while (next < after.size() && after[next] != line) ++next;
    if (next == after.size()) std::abort();
    ++next;
  }

  // [Window]: what reads from the file, written back into it, reads again the same, and the
  // writing leaves every general setting as it was.
  const orvela::platform::WindowSettings window = orvela::platform::ParseWindowSettings(*merged);
  const std::optional<QByteArray> placed = orvela::platform::MergeSettingsValues(
      *merged, orvela::platform::WindowSettingsValues(window), orvela::platform::kWindowSection);
  if (!placed) std::abort();
  if (!(orvela::platform::ParseWindowSettings(*placed) == window)) std::abort();
  const GeneralSettings afterPlaces = orvela::platform::ParseGeneralSettings(*placed);
  for (std::size_t i = 0; i < kKeyCount; ++i)
    if (!kKeys[i].same(afterPlaces, read)) std::abort();

  // RecentFiles written from a list reads back as that list without its empty entries and
  // without the entries holding a line break, which a one-line value cannot carry.
  const QStringList recent = QString::fromUtf8(file.left(200)).split(QLatin1Char('|'));
  QStringList kept;
  for (const QString& f : recent)
    if (!f.isEmpty() && !f.contains(QLatin1Char('\n')) && !f.contains(QLatin1Char('\r'))) kept.append(f);
  if (orvela::platform::ReadRecentFilesText(orvela::platform::RecentFilesText(recent)) != kept) std::abort();
  return 0;
}
