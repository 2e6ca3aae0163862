#include "platform/ShellOpen.h"

#include <QRegularExpression>

namespace orvela::platform {

QString ExpandEnvironmentNames(const QString& text) {
  static const QRegularExpression name(QStringLiteral("%([^%]+)%"));
  QString out;
  qsizetype from = 0;
  // Scan from left to right so that a value containing "%" is never expanded again.
  for (auto it = name.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    out += text.mid(from, m.capturedStart() - from);
    const QByteArray key = m.captured(1).toLocal8Bit();
    if (qEnvironmentVariableIsSet(key.constData()))
      out += qEnvironmentVariable(key.constData());
    else
      out += m.captured(0);
    from = m.capturedEnd();
  }
  out += text.mid(from);
  return out;
}

QUrl UrlForShell(const QString& pathOrUrl) {
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
  if (scheme.match(pathOrUrl).hasMatch()) return QUrl(pathOrUrl);
  return QUrl::fromLocalFile(pathOrUrl);
}

}  // namespace orvela::platform
