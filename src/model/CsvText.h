#pragma once
// Rows as CSV text: fields separated by one character, quoted with the double quote when
// they hold the separator, a quote or a line break, rows ended by CR LF.
#include <string>
#include <string_view>
#include <vector>

namespace orvela {

// The byte order mark that makes spreadsheet programs read a CSV file as UTF-8.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Appends one row, ending in CR LF.
void AppendCsvRow(std::string& out, const std::vector<std::string>& fields, char separator);

// A date "d.m.yyyy" as "dd.mm.yyyy"; any other text unchanged.
std::string PaddedDate(std::string_view text);
// A date "d.m.yyyy" as "yyyy-mm-dd", which sorts and compares as text; any other text unchanged.
std::string IsoDate(std::string_view text);

}  // namespace orvela
