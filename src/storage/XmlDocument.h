#pragma once
// A lenient reader for the XML text of a work file. It accepts what older work files hold
// (either quote character, doubled quotes inside values, unknown references) and keeps
// attribute values byte for byte. Names and values are spans into the caller's buffer;
// values are unescaped only when asked for. Nesting is handled with an explicit stack, so
// hostile input cannot overflow the call stack.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orvela::xml {

// Text that could not be read. what() is a German UTF-8 message naming line and column.
class XmlError : public std::runtime_error {
 public:
  XmlError(const std::string& message, std::size_t line, std::size_t column)
      : std::runtime_error(message), line_(line), column_(column) {}
  std::size_t line() const { return line_; }
  std::size_t column() const { return column_; }

 private:
  std::size_t line_;
  std::size_t column_;
};

struct TextPosition {
  std::size_t line = 1;    // from 1, lines end at LF
  std::size_t column = 1;  // from 1, in bytes
};
TextPosition PositionOf(std::string_view text, std::size_t offset);

inline constexpr std::uint32_t kNoElement = UINT32_MAX;

struct Attribute {
  std::uint32_t nameBegin, nameLength;
  std::uint32_t valueBegin, valueLength;  // inside the quotes, still escaped
  char quote;
};

// Elements are stored in document order, so an element's subtree is the range
// [index + 1, subtreeEnd).
struct Element {
  std::uint32_t nameBegin, nameLength;
  std::uint32_t tagOffset;  // of the "<"
  std::uint32_t firstAttribute, attributeCount;
  std::uint32_t firstChild = kNoElement, nextSibling = kNoElement;
  std::uint32_t subtreeEnd = 0;
};

// Resolves the references of one attribute value: doubled quote characters stand for one,
// then &amp; &lt; &gt; &apos; &quot; and &#n; / &#xh; with codes 0..254 become their
// characters; anything else from an "&" to the next ";" (or to the end) stays as written.
std::string DecodeAttributeValue(std::string_view raw, char quote);

class Document {
 public:
  // Parses `text`, which must outlive the document. Everything before the first "<" is
  // skipped. Throws XmlError.
  explicit Document(std::string_view text);

  std::string_view text() const { return text_; }
  const Element& element(std::uint32_t index) const { return elements_[index]; }
  std::uint32_t elementCount() const { return static_cast<std::uint32_t>(elements_.size()); }
  std::string_view name(std::uint32_t index) const;
  TextPosition position(std::uint32_t index) const { return PositionOf(text_, elements_[index].tagOffset); }

  // The first element below `index` (depth-first, document order) whose name equals
  // `wanted`, letter case ignored; kNoElement when there is none.
  std::uint32_t findDescendant(std::uint32_t index, std::string_view wanted) const;
  // The value of the first attribute whose name equals `wanted` (case ignored), decoded;
  // empty when the element has none.
  std::string attribute(std::uint32_t index, std::string_view wanted) const;

 private:
  class Parser;  // the one pass over the text that fills elements_ and attributes_
  [[noreturn]] void fail(std::size_t offset, const std::string& what) const;

  std::string_view text_;
  std::vector<Element> elements_;
  std::vector<Attribute> attributes_;
};

}  // namespace orvela::xml
