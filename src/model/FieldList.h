#pragma once
// The in-memory record of every entity: ordered KEY=VALUE lines. Lookup ignores letter
// case and takes the first match; writing an empty value removes the line.
#include <string>
#include <string_view>
#include <vector>

namespace orvela {

class FieldList {
 public:
  FieldList() = default;
  explicit FieldList(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  // Value of the first line whose key equals `key` (case ignored); empty when absent.
  std::string value(std::string_view key) const;
  bool hasKey(std::string_view key) const;
  // Replaces the found line in place or appends KEY=VALUE; an empty value removes the line.
  void setValue(std::string_view key, std::string_view value);
  // Appends a line as it is (initial records are built line by line, "KEY=" included).
  void appendLine(std::string line) { lines_.push_back(std::move(line)); }

  const std::vector<std::string>& lines() const { return lines_; }
  std::vector<std::string>& lines() { return lines_; }
  bool empty() const { return lines_.empty(); }

  std::string commaText() const;
  static FieldList fromCommaText(std::string_view text);

  friend bool operator==(const FieldList&, const FieldList&) = default;

 private:
  std::vector<std::string> lines_;
};

}  // namespace orvela
