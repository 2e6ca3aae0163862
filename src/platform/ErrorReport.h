#pragma once
// The application-wide report of errors that no other code handles: a message box naming
// the error text, its kind and the sender, after which the program goes on.
#include <QApplication>
#include <QString>
#include <exception>

class QObject;

namespace orvela::platform {

class Services;

// The text of the report, pieces in their fixed order.
QString ApplicationErrorText(const QString& message, const QString& kindName, const QString& sender);

// Shows the report as an error box with an OK button.
void ShowApplicationError(const Services& services, const QString& message, const QString& kindName,
                          const QString& sender);

// Reports a caught exception: kind name from its dynamic type, sender as below.
void ShowApplicationError(const Services& services, const std::exception& error, const QObject* sender);

// The readable class name of an exception ("orvela::FileError", "std::bad_alloc").
QString ErrorKindName(const std::exception& error);

// objectName + " [" + class name + "]" for an object; "" when there is none.
QString SenderText(const QObject* sender);

// The program's application object: an exception that escapes an event handler ends in
// the error report instead of ending the program.
class OrvelaApplication : public QApplication {
  Q_OBJECT
 public:
  OrvelaApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
  // The services the report is shown through (the frame's); not owned.
  void setServices(const Services* services) { services_ = services; }

 private:
  void report(const QString& message, const QString& kindName, const QObject* receiver);

  const Services* services_ = nullptr;
};

}  // namespace orvela::platform
