#include "model/srcGlobalProc.h"

#include <array>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "model/DelimitedText.h"
#include "model/TextUtils.h"
#include "model/srcGlobalDef.h"

namespace orvela {

std::string GetDefItem(std::string_view entryCommaText) {
  // The text is searched, not parsed: the markers cut off whatever follows ITEM in each
  // of the four quoting cases.
  static constexpr std::array<std::string_view, 4> kMarkers = {"\",\"VALUE", "\",VALUE", ",\"VALUE", ",VALUE"};
  std::string t = TextAfter("ITEM=", entryCommaText);
  for (std::string_view marker : kMarkers) t = TextBefore(marker, t);
  return t;
}

std::string GetDefValue(std::string_view entryCommaText) {
  std::string t = TextAfter("VALUE=", entryCommaText);
  const std::size_t quote = t.find('"');
  if (quote != std::string::npos) t.resize(quote);
  return Unquote(t);
}

std::string DefDisplayText(std::string_view entryCommaText) {
  return GetDefItem(entryCommaText) + " - " + GetDefValue(entryCommaText);
}

void AddDefEntry(std::vector<FieldList>& rows, Focus& focused) {
  const std::size_t at = focused && *focused < rows.size() ? *focused + 1 : rows.size();
  rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), NewDefEntryRecord());
  focused = at;
}

std::string SaveNodePayload(const FieldList& record) {
  const std::string text = WriteDelimited(record.lines(), kPayloadDelimiter, '"');
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw std::length_error("Das Element ist zu gro\xC3\x9F f\xC3\xBCr die Zwischenablage.");
  }
  const auto n = static_cast<std::uint32_t>(text.size());
  std::string out;
  out.reserve(4 + text.size());
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((n >> shift) & 0xFF);
  out += text;
  return out;
}

std::optional<FieldList> LoadNodePayload(std::string_view data, std::size_t& offset) {
  if (offset > data.size() || data.size() - offset < 4) return std::nullopt;
  std::uint32_t raw = 0;
  for (int i = 0; i < 4; ++i) raw |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[offset + i])) << (8 * i);
  const auto n = static_cast<std::int32_t>(raw);
  if (n < 0 || static_cast<std::size_t>(n) > data.size() - offset - 4) return std::nullopt;
  FieldList record(ReadDelimited(data.substr(offset + 4, static_cast<std::size_t>(n)), kPayloadDelimiter, '"'));
  offset += 4 + static_cast<std::size_t>(n);
  return record;
}

}  // namespace orvela
