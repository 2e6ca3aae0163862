#include "model/FieldList.h"

#include <algorithm>

#include "model/DelimitedText.h"
#include "model/TextUtils.h"

namespace orvela {
namespace {

// A line's key is the text before its first "="; a line without "=" has none.
bool HasKey(std::string_view line, std::string_view key) {
  const std::size_t eq = line.find('=');
  return eq != std::string_view::npos && EqualsNoCase(line.substr(0, eq), key);
}

template <class Lines>
auto FindLine(Lines& lines, std::string_view key) {
  return std::find_if(lines.begin(), lines.end(), [key](const std::string& line) { return HasKey(line, key); });
}

}  // namespace

std::string FieldList::value(std::string_view key) const {
  const auto it = FindLine(lines_, key);
  return it == lines_.end() ? std::string() : it->substr(key.size() + 1);
}

bool FieldList::hasKey(std::string_view key) const { return FindLine(lines_, key) != lines_.end(); }

void FieldList::setValue(std::string_view key, std::string_view value) {
  const auto it = FindLine(lines_, key);
  if (value.empty()) {
    if (it != lines_.end()) lines_.erase(it);
    return;
  }
  std::string line;
  line.reserve(key.size() + 1 + value.size());
  line.append(key).append(1, '=').append(value);
  if (it != lines_.end()) {
    *it = std::move(line);
  } else {
    lines_.push_back(std::move(line));
  }
}

std::string FieldList::commaText() const { return WriteCommaText(lines_); }

FieldList FieldList::fromCommaText(std::string_view text) { return FieldList(ReadCommaText(text)); }

}  // namespace orvela
