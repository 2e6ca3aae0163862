#include "platform/Cp1252Text.h"

#include "model/Cp1252.h"

namespace orvela::platform {

QString FromCp1252(std::string_view bytes) { return QString::fromStdString(Cp1252ToUtf8(bytes)); }

std::optional<std::string> ToCp1252(const QString& text, char32_t* bad) {
  std::string out;
  if (!Utf8ToCp1252(text.toStdString(), out, bad)) return std::nullopt;
  return out;
}

QString Cp1252RefusalText(const QString& text) {
  char32_t bad = 0;
  if (ToCp1252(text, &bad)) return {};
  const QString shown = QString::fromUcs4(&bad, 1);
  return QStringLiteral("Das Zeichen „%1“ (U+%2) kann in der Projektdatei nicht gespeichert werden.")
      .arg(shown, QString::number(static_cast<uint>(bad), 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

QValidator::State Cp1252Validator::validate(QString& input, int&) const {
  return ToCp1252(input) ? Acceptable : Intermediate;
}

}  // namespace orvela::platform
