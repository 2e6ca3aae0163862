#pragma once
// The general settings dialog: project folder, report folder, template for new work files
// and whether a new work file is made at start. Works on the main window's settings.
#include <QDialog>

#include "platform/Settings.h"

class QCheckBox;
class QLineEdit;

namespace orvela {

namespace platform {
class Services;
}

// Runs the dialog modally over the main window's current settings; true when confirmed
// and written.
bool ShowGeneralSettings(platform::Services& services, QWidget* parent, platform::GeneralSettings& settings);

class TdlgGeneralSettings : public QDialog {
  Q_OBJECT
 public:
  TdlgGeneralSettings(platform::Services& services, platform::GeneralSettings& settings, QWidget* parent = nullptr);

  QLineEdit* editWorkingDir() const { return editWorkingDir_; }
  QLineEdit* editReportDir() const { return editReportDir_; }
  QLineEdit* editTemplate() const { return editTemplate_; }
  QCheckBox* cbNewStartUp() const { return cbNewStartUp_; }

  // Closes the dialog, then writes the four keys to the settings file in their fixed order,
  // exactly as typed, and adopts them without leading blanks. A settings file that cannot
  // be written reaches the error report and leaves the settings as they were.
  void accept() override;
  // Whether the last accept() wrote and adopted the values.
  bool stored() const { return stored_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void acWorkingDir();
  void acReportDir();
  void acSelectTemplate();
  bool storeSettings();

  platform::Services& services_;
  platform::GeneralSettings& settings_;
  QLineEdit* editWorkingDir_;
  QLineEdit* editReportDir_;
  QLineEdit* editTemplate_;
  QCheckBox* cbNewStartUp_;
  bool stored_ = false;
};

}  // namespace orvela
