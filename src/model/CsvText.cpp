#include "model/CsvText.h"

#include <charconv>
#include <optional>

namespace orvela {
namespace {

struct Date {
  int day, month, year;
};

// Day and month of one or two digits, year of four; checked for a plausible calendar day.
std::optional<Date> ParseDate(std::string_view text) {
  int parts[3] = {};
  std::size_t pos = 0;
  for (int i = 0; i < 3; ++i) {
    const std::size_t end = i < 2 ? text.find('.', pos) : text.size();
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view digits = text.substr(pos, end - pos);
    const std::size_t width = i < 2 ? (digits.size() == 1 || digits.size() == 2 ? digits.size() : 0) : 4;
    if (digits.empty() || digits.size() != width) return std::nullopt;
    const auto [next, error] = std::from_chars(digits.data(), digits.data() + digits.size(), parts[i]);
    if (error != std::errc() || next != digits.data() + digits.size()) return std::nullopt;
    pos = end + 1;
  }
  if (parts[0] < 1 || parts[0] > 31 || parts[1] < 1 || parts[1] > 12) return std::nullopt;
  return Date{parts[0], parts[1], parts[2]};
}

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

void AppendCsvRow(std::string& out, const std::vector<std::string>& fields, char separator) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += separator;
    const std::string& field = fields[i];
    const char needsQuotes[] = {separator, '"', '\r', '\n', '\0'};
    if (field.find_first_of(needsQuotes) == std::string::npos) {
      out += field;
      continue;
    }
    out += '"';
    for (char c : field) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  out += "\r\n";
}

std::string PaddedDate(std::string_view text) {
  const std::optional<Date> date = ParseDate(text);
  if (!date) return std::string(text);
  return TwoDigits(date->day) + "." + TwoDigits(date->month) + "." + std::to_string(date->year);
}

std::string IsoDate(std::string_view text) {
  const std::optional<Date> date = ParseDate(text);
  if (!date) return std::string(text);
  return std::to_string(date->year) + "-" + TwoDigits(date->month) + "-" + TwoDigits(date->day);
}

}  // namespace orvela
