#include "Document.h"

#include <algorithm>

namespace orvela::rtf {

// Written out: defaulted comparisons of these mutually recursive types crash clang 14.
bool Cell::operator==(const Cell& o) const {
  return widthTwips == o.widthTwips && blocks == o.blocks && horizontalMerge == o.horizontalMerge &&
         verticalMerge == o.verticalMerge && borders == o.borders && shading == o.shading &&
         verticalAlignment == o.verticalAlignment && padding == o.padding;
}
bool Row::operator==(const Row& o) const {
  return cells == o.cells && leftTwips == o.leftTwips && gapTwips == o.gapTwips &&
         heightTwips == o.heightTwips && header == o.header && alignment == o.alignment && borders == o.borders;
}
bool Table::operator==(const Table& o) const { return rows == o.rows; }
bool Block::operator==(const Block& o) const { return content == o.content; }

bool HeadersFooters::Empty() const {
  return header.empty() && headerLeft.empty() && headerRight.empty() && headerFirst.empty() &&
         footer.empty() && footerLeft.empty() && footerRight.empty() && footerFirst.empty() &&
         !titlePage && !facingPages;
}

bool HeadersFooters::operator==(const HeadersFooters& o) const {
  return header == o.header && headerLeft == o.headerLeft && headerRight == o.headerRight &&
         headerFirst == o.headerFirst && footer == o.footer && footerLeft == o.footerLeft &&
         footerRight == o.footerRight && footerFirst == o.footerFirst && titlePage == o.titlePage &&
         facingPages == o.facingPages;
}

namespace {

// Word writes \headerr for the header of every page when pages do not face; \header is
// the older word for the same.
const std::vector<Block>& PartFor(const HeadersFooters& h, int pageNumber, const std::vector<Block>& all,
                                  const std::vector<Block>& left, const std::vector<Block>& right,
                                  const std::vector<Block>& first) {
  if (pageNumber == 1 && h.titlePage) return first;
  if (h.facingPages) {
    const std::vector<Block>& side = pageNumber % 2 == 0 ? left : right;
    if (!side.empty()) return side;
  }
  return all.empty() ? right : all;
}

}  // namespace

const std::vector<Block>& HeaderFor(const HeadersFooters& h, int pageNumber) {
  return PartFor(h, pageNumber, h.header, h.headerLeft, h.headerRight, h.headerFirst);
}

const std::vector<Block>& FooterFor(const HeadersFooters& h, int pageNumber) {
  return PartFor(h, pageNumber, h.footer, h.footerLeft, h.footerRight, h.footerFirst);
}

int PageWidth(const PageSetup& page) {
  return page.landscape ? std::max(page.paperWidth, page.paperHeight) : page.paperWidth;
}

int PageHeight(const PageSetup& page) {
  return page.landscape ? std::min(page.paperWidth, page.paperHeight) : page.paperHeight;
}

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
