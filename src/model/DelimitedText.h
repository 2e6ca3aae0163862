#pragma once
// Delimited text (comma text is the common case) and list text.
#include <string>
#include <string_view>
#include <vector>

#include "model/FieldList.h"

namespace orvela {

inline constexpr char kListSeparator = 17;  // DC1, between the entries of list text
inline constexpr char kPayloadDelimiter = 7;  // BEL, inside the clipboard payload of an item

std::string WriteDelimited(const std::vector<std::string>& lines, char delimiter, char quote);
std::vector<std::string> ReadDelimited(std::string_view text, char delimiter, char quote);

std::string WriteCommaText(const std::vector<std::string>& lines);
std::vector<std::string> ReadCommaText(std::string_view text);

// List text: the comma texts of records joined by DC1.
std::vector<std::string> SplitListText(std::string_view text);
std::string ListToText(const std::vector<FieldList>& rows, char separator = kListSeparator);
// Appends one record per entry of `text` to `rows`.
void TextToList(std::vector<FieldList>& rows, std::string_view text, char separator = kListSeparator);
std::vector<FieldList> TextToList(std::string_view text, char separator = kListSeparator);

}  // namespace orvela
