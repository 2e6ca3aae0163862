#pragma once
// The text of the settings file, apart from the file itself: reading the values of
// [GeneralSettings] and writing keys into that section. Lines the writing does not touch
// keep their bytes, whatever their encoding or line end.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

namespace orvela::platform {

struct GeneralSettings {
  QString workingDir;   // leading blanks removed on reading
  QString reportDir;
  QString templatePath;
  bool newFileOnStartup = false;
  bool noFileIntegrityCheck = false;
  QStringList recentFiles;  // most recent first, at most five
};

using SettingsValues = QList<QPair<QString, QString>>;

// The settings of a file's bytes with every reading rule; keys the text lacks keep their
// defaults.
GeneralSettings ParseGeneralSettings(const QByteArray& text);

// The text with the given keys (raw values, in the order given) written into
// [GeneralSettings]: a key already there is replaced in its line, a new one goes after the
// section's last line, a missing section is added at the end. Nothing when a key is
// empty or holds "=", or a value holds a line break: either would damage the file.
std::optional<QByteArray> MergeSettingsValues(const QByteArray& text, const SettingsValues& keyValues);

// RecentFiles as delimited text with "|" and "*"; paths holding a line break are left out.
QString RecentFilesText(const QStringList& files);
QStringList ReadRecentFilesText(const QString& text);

}  // namespace orvela::platform
