#pragma once
// How a document reference or web address is turned into something the desktop opens.
#include <QString>
#include <QUrl>

namespace orvela::platform {

// Replaces each %NAME% whose variable is set by its value; unknown names and a lone "%"
// stay as they are.
QString ExpandEnvironmentNames(const QString& text);

// An address with a scheme (https:, mailto:, file:) as it is; anything else, including
// "C:\..." with its one-letter drive, as a local path.
QUrl UrlForShell(const QString& pathOrUrl);

}  // namespace orvela::platform
