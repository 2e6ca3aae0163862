#pragma once
// The account and the clock that stamp a work file when it is created and saved.
#include <QDateTime>
#include <QString>
#include <string>

#include "model/WorkFileData.h"

namespace orvela::platform {

// Short host name, "/", login name; either half empty when the system cannot tell.
QString CurrentUserStampText();
QString ShortHostName();
QString LoginName();

// Unicode text as Windows-1252; a character the code page cannot hold becomes "?" so
// that the stamp still shows that something stood there.
std::string ToCp1252Lossy(const QString& text);

LocalDateTime ToLocalDateTime(const QDateTime& moment);

// User stamp (Windows-1252) and local clock of this session.
StampSource SystemStamps();

}  // namespace orvela::platform
