#pragma once
// QString views of the core's Windows-1252 text, for widgets that show and edit records.
// The conversion itself is model/Cp1252.h; this adds the Qt types and the German message
// for a character that the work file cannot hold.
#include <QString>
#include <QValidator>
#include <optional>
#include <string>
#include <string_view>

namespace orvela::platform {

QString FromCp1252(std::string_view bytes);

// The Windows-1252 bytes of a text, or nothing when it holds a character that Windows-1252
// cannot hold; `bad` then receives the first such character.
std::optional<std::string> ToCp1252(const QString& text, char32_t* bad = nullptr);

// "Das Zeichen „…“ (U+….) kann in der Projektdatei nicht gespeichert werden." for the first
// character of `text` that cannot be held; empty when the whole text can.
QString Cp1252RefusalText(const QString& text);

// Lets every character be typed but reports a text with a character that Windows-1252
// cannot hold as Intermediate, so that a QLineEdit refuses to hand it on (hasAcceptableInput
// is false) and the user sees what stands in the edit.
class Cp1252Validator : public QValidator {
  Q_OBJECT
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
};

}  // namespace orvela::platform
