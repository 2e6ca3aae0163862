// The readers of comma text, list text and the item payload over arbitrary bytes: no
// crash, no hang, and writing what was read reads back the same.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/DelimitedText.h"
#include "model/srcGlobalProc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);

  const std::vector<std::string> lines = orvela::ReadCommaText(text);
  if (orvela::ReadCommaText(orvela::WriteCommaText(lines)) != lines) std::abort();

  for (const orvela::FieldList& row : orvela::TextToList(text)) {
    if (orvela::FieldList::fromCommaText(row.commaText()) != row) std::abort();
  }

  std::size_t offset = 0;
  while (offset < text.size()) {
    const std::size_t before = offset;
    std::optional<orvela::FieldList> record = orvela::LoadNodePayload(text, offset);
    if (!record) break;
    if (offset <= before) std::abort();  // a payload always moves the reader on
    // Empty lines are not carried by the payload; every other record survives it.
    const auto& l = record->lines();
    if (std::none_of(l.begin(), l.end(), [](const std::string& s) { return s.empty(); })) {
      const std::string payload = orvela::SaveNodePayload(*record);
      std::size_t at = 0;
      std::optional<orvela::FieldList> again = orvela::LoadNodePayload(payload, at);
      if (!again || *again != *record || at != payload.size()) std::abort();
    }
  }
  return 0;
}
