#pragma once
// The text of the settings file, apart from the file itself: reading the values of
// [GeneralSettings] and [Window] and writing keys into a section. Lines the writing does not touch
// keep their bytes, whatever their encoding or line end.
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
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

// The file dialogs that remember their last folder, each in its own key.
enum class FolderKind { Open, Save, Reports, Documents };
inline constexpr int kFolderKindCount = 4;

// [Window]: where the windows were when the program last ended. Every value is optional: one
// that cannot be read (text where a number belongs, a size of zero or less, a width beyond
// any screen) counts as absent, and the windows then open at their design places.
struct WindowSettings {
  std::optional<QPoint> framePos;   // FrameLeft, FrameTop: the frame's normal place
  std::optional<QSize> frameSize;   // FrameWidth, FrameHeight
  bool frameMaximized = false;      // FrameMaximized
  std::optional<int> treeWidth;     // TreeWidth: the structure tree beside the detail panel
  QMap<QString, QList<int>> columns;  // Columns.<grid>=80,120,...: column widths of a grid
  std::array<QString, kFolderKindCount> folders;  // OpenFolder, SaveFolder, ReportsFolder, DocumentsFolder
  friend bool operator==(const WindowSettings&, const WindowSettings&) = default;
};

inline const QString kGeneralSection = QStringLiteral("GeneralSettings");
inline const QString kWindowSection = QStringLiteral("Window");

// The settings of a file's bytes with every reading rule; keys the text lacks keep their
// defaults.
GeneralSettings ParseGeneralSettings(const QByteArray& text);

// The [Window] values of a file's bytes; unreadable values are left out.
WindowSettings ParseWindowSettings(const QByteArray& text);
// The key lines that hold `settings` in [Window]; absent values and folders that a
// one-line value cannot hold give no line.
SettingsValues WindowSettingsValues(const WindowSettings& settings);

// The text with the given keys (raw values, in the order given) written into `section`:
// a key already there is replaced in its line, a new one goes after the section's last
// line, a missing section is added at the end. Nothing when a key is empty or holds "=",
// or a value holds a line break: either would damage the file.
std::optional<QByteArray> MergeSettingsValues(const QByteArray& text, const SettingsValues& keyValues,
                                              const QString& section = kGeneralSection);

// RecentFiles as delimited text with "|" and "*"; paths holding a line break are left out.
QString RecentFilesText(const QStringList& files);
QStringList ReadRecentFilesText(const QString& text);

}  // namespace orvela::platform
