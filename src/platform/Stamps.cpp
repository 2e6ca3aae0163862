#include "platform/Stamps.h"

#include <pwd.h>
#include <unistd.h>

#include <QSysInfo>

#include "model/Cp1252.h"

namespace orvela::platform {

QString LoginName() {
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_name && *entry->pw_name)
    return QString::fromLocal8Bit(entry->pw_name);
  return qEnvironmentVariable("USER");
}

QString ShortHostName() {
  const QString host = QSysInfo::machineHostName();
  const qsizetype dot = host.indexOf(QLatin1Char('.'));
  return dot < 0 ? host : host.left(dot);
}

QString CurrentUserStampText() { return ShortHostName() + QLatin1Char('/') + LoginName(); }

std::string ToCp1252Lossy(const QString& text) { return Utf8ToCp1252Lossy(text.toStdString()); }

LocalDateTime ToLocalDateTime(const QDateTime& moment) {
  const QDateTime local = moment.toLocalTime();
  const QDate d = local.date();
  const QTime t = local.time();
  return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

StampSource SystemStamps() {
  return {[] { return ToCp1252Lossy(CurrentUserStampText()); },
          [] { return ToLocalDateTime(QDateTime::currentDateTime()); }};
}

}  // namespace orvela::platform
