// Program entry: the application object with the error report, German texts, and the
// frame window, which runs until it is closed.
#include "app/srcMain.h"
#include "platform/ErrorReport.h"
#include "platform/TempFiles.h"
#include "platform/Translations.h"

int main(int argc, char** argv) {
  orvela::platform::OrvelaApplication app(argc, argv);
  // The application title. No display name: Qt would append it to every window title
  // ("Fehler — Orvela WP"), while captions stand exactly as they are.
  QApplication::setApplicationName(QStringLiteral("Orvela WP"));
  // Lets the desktop match the windows to the installed menu entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.OrvelaWP"));
  orvela::platform::InstallGermanTranslations(app);
  // Reports an earlier run handed to other programs and could not remove (it crashed).
  orvela::platform::RemoveLeftoverTempFiles();

  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();  // the program itself
  orvela::TfrmMain frame(arguments);
  app.setServices(&frame.services());
  frame.show();
  const int code = QApplication::exec();
  app.setServices(nullptr);
  return code;
}
