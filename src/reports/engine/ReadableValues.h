#pragma once
// The forms in which people read stored values: work state and document type as the
// windows name them, comma-text lists as ", "-joined lines, document IDs as names. All
// texts are Windows-1252.
#include <string>
#include <string_view>
#include <unordered_map>

#include "model/RecordTree.h"

namespace orvela {

// "unvollständig", "vollständig bearbeitet", else "nicht definiert".
std::string WorkStateReadable(std::string_view stored);
// "Dokument", "Beschreibung", "Link", else "nicht definiert".
std::string DocTypeReadable(std::string_view stored);
// The lines of a comma text joined by ", ", without their quotes.
std::string CommaTextReadable(std::string_view commaText);

// Document IDs as names: each ID of a comma text becomes the NAME of the first document in
// register order whose ID equals it exactly; an ID no document has stays as it is.
class DocumentNames {
 public:
  explicit DocumentNames(const RecordTree* documents);
  std::string readable(std::string_view idCommaText) const;

 private:
  std::unordered_map<std::string, std::string> nameById_;
};

}  // namespace orvela
