#pragma once
// Everything a report is made from, taken from the open work file at the moment the
// report is asked for. All texts are Windows-1252.
#include <string>

#include "model/RecordTree.h"

namespace orvela {

struct ReportInput {
  std::string fileName;  // full path of the work file, empty while untitled
  std::string createdBy, createdAt, savedBy, savedAt;
  // The caller reads the clock once for the date and once more for the time.
  std::string currentDate, currentTime;
  std::string description;  // plain text of the project description, lines ended by CR LF
  std::string generalDefs, riskDefs, ouDefs, staffDefs;  // list text
  const RecordTree* documents = nullptr;  // null: no documents
  // Null: no items. The findings rows are built from the items' records when a template
  // asks for them, so a finding accepted just now is among them.
  const RecordTree* structure = nullptr;
};

}  // namespace orvela
