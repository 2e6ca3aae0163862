#pragma once
// Work files for the window tests, written by the storage layer into temporary folders.
#include <QString>
#include <functional>
#include <memory>

#include "model/WorkFileData.h"

namespace orvela::test {

// A clock that moves one second on with every reading, and a fixed user.
StampSource SteppingStamps(const std::string& user = "PC1/pruefer", LocalDateTime start = {2024, 12, 9, 14, 3, 5});

// Writes a work file with one structure item named `itemName` and the given stamps.
// `fill` may change the data before it is written.
void WriteSampleWorkFile(const QString& path, const std::string& itemName = "Planung",
                         const std::function<void(WorkFileData&)>& fill = {});

// Changes one byte of the check field, so that the integrity test refuses the file while
// its XML text still reads.
void DamageWorkFile(const QString& path);

// Writes bytes to a file as they are.
void WriteRawFile(const QString& path, const QByteArray& bytes);
QByteArray ReadRawFile(const QString& path);

}  // namespace orvela::test
