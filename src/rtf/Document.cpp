#include "Document.h"

namespace orvela::rtf {

// Written out: defaulted comparisons of these mutually recursive types crash clang 14.
bool Cell::operator==(const Cell& o) const { return widthTwips == o.widthTwips && blocks == o.blocks; }
bool Row::operator==(const Row& o) const { return cells == o.cells; }
bool Table::operator==(const Table& o) const { return rows == o.rows; }
bool Block::operator==(const Block& o) const { return content == o.content; }

std::optional<Picture::Format> DetectPictureFormat(const std::string& bytes) {
  static constexpr std::string_view kPng = "\x89PNG\r\n\x1a\n";
  if (bytes.size() >= kPng.size() && std::string_view(bytes).substr(0, kPng.size()) == kPng)
    return Picture::Format::Png;
  if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xD8 && static_cast<unsigned char>(bytes[2]) == 0xFF)
    return Picture::Format::Jpeg;
  return std::nullopt;
}

}  // namespace orvela::rtf
