#include "platform/ErrorReport.h"

#include <cxxabi.h>

#include <QObject>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "platform/Services.h"

namespace orvela::platform {
namespace {

QString Demangled(const char* mangled) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
  return QString::fromUtf8(status == 0 && name ? name.get() : mangled);
}

}  // namespace

QString ApplicationErrorText(const QString& message, const QString& kindName, const QString& sender) {
  // The line breaks are LF CR, CR LF CR LF, LF CR, LF CR LF CR and CR LF, in this order.
  return QStringLiteral("In der Anwendung ist folgender Fehler aufgetreten:") + QStringLiteral("\n\r") + message +
         QStringLiteral("\r\n\r\n") + QStringLiteral("Fehlertyp:") + QStringLiteral("\n\r") + kindName +
         QStringLiteral("\n\r\n\r") + QStringLiteral("Sender:") + QStringLiteral("\r\n") + sender;
}

void ShowApplicationError(const Services& services, const QString& message, const QString& kindName,
                          const QString& sender) {
  services.showMessage(nullptr, MessageKind::Error, ApplicationErrorText(message, kindName, sender));
}

void ShowApplicationError(const Services& services, const std::exception& error, const QObject* sender) {
  ShowApplicationError(services, QString::fromUtf8(error.what()), ErrorKindName(error), SenderText(sender));
}

QString ErrorKindName(const std::exception& error) { return Demangled(typeid(error).name()); }

QString SenderText(const QObject* sender) {
  if (!sender) return {};
  return sender->objectName() + QStringLiteral(" [") + QString::fromUtf8(sender->metaObject()->className()) +
         QLatin1Char(']');
}

OrvelaApplication::OrvelaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool OrvelaApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    report(QString::fromUtf8(error.what()), ErrorKindName(error), receiver);
  } catch (...) {
    report(QStringLiteral("Unbekannter Fehler"), QStringLiteral("unbekannt"), receiver);
  }
  return false;
}

void OrvelaApplication::report(const QString& message, const QString& kindName, const QObject* receiver) {
  if (services_) {
    ShowApplicationError(*services_, message, kindName, SenderText(receiver));
    return;
  }
  const Services production;  // before the frame exists or after it has gone
  ShowApplicationError(production, message, kindName, SenderText(receiver));
}

}  // namespace orvela::platform
