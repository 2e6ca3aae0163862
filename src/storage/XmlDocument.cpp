#include "storage/XmlDocument.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "model/Cp1252.h"
#include "model/TextUtils.h"

namespace orvela::xml {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Where a name ends: blanks and control characters, the end of a tag, "=", or the start of something else.
bool EndsName(char c) { return static_cast<unsigned char>(c) <= 32 || c == '>' || c == '/' || c == '=' || c == '<' || c == '"' || c == '\''; }

// A name or a character from the file, shown in a message: UTF-8, cut when very long.
std::string Shown(std::string_view bytes) {
  constexpr std::size_t kMax = 60;
  if (bytes.size() > kMax) return Cp1252ToUtf8(bytes.substr(0, kMax)) + "…";
  return Cp1252ToUtf8(bytes);
}

std::string ShownChar(char c) {
  auto code = static_cast<unsigned char>(c);
  if (code <= 32 || code == 127) {
    static const char* hex = "0123456789ABCDEF";
    return std::string("Zeichen 0x") + hex[code >> 4] + hex[code & 15];
  }
  return "„" + Shown(std::string_view(&c, 1)) + "“";
}

// Reads &#n; or &#xh; (the part between "&#" and ";"). Returns the code, or -1 when it is
// not a number or too large to be a character of the file.
int CharacterCode(std::string_view digits) {
  int base = 10;
  if (!digits.empty() && (digits[0] == 'x' || digits[0] == 'X')) {
    base = 16;
    digits.remove_prefix(1);
  }
  if (digits.empty()) return -1;
  int code = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return -1;
    code = code * base + d;
    if (code > 254) code = 255;  // stays out of range, never overflows
  }
  return code <= 254 ? code : -1;
}

void ResolveReferences(std::string_view s, std::string& out) {
  std::size_t i = 0;
  while (i < s.size()) {
    std::size_t amp = s.find('&', i);
    if (amp == std::string_view::npos) {
      out.append(s.substr(i));
      return;
    }
    out.append(s.substr(i, amp - i));
    std::size_t semi = s.find(';', amp + 1);
    if (semi == std::string_view::npos) {
      out.append(s.substr(amp));
      return;
    }
    std::string_view ref = s.substr(amp + 1, semi - amp - 1);
    if (ref == "amp") out += '&';
    else if (ref == "lt") out += '<';
    else if (ref == "gt") out += '>';
    else if (ref == "apos") out += '\'';
    else if (ref == "quot") out += '"';
    else if (int code = ref.starts_with('#') ? CharacterCode(ref.substr(1)) : -1; code >= 0)
      out += static_cast<char>(code);
    else
      out.append(s.substr(amp, semi - amp + 1));
    i = semi + 1;
  }
}

}  // namespace

TextPosition PositionOf(std::string_view text, std::size_t offset) {
  offset = std::min(offset, text.size());
  TextPosition p;
  std::string_view before = text.substr(0, offset);
  p.line = 1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
  std::size_t lineStart = before.rfind('\n');
  lineStart = lineStart == std::string_view::npos ? 0 : lineStart + 1;
  p.column = offset - lineStart + 1;
  return p;
}

std::string DecodeAttributeValue(std::string_view raw, char quote) {
  std::string out;
  bool doubled = raw.find(quote) != std::string_view::npos;
  bool references = raw.find('&') != std::string_view::npos;
  if (!doubled && !references) return std::string(raw);
  std::string undoubled;
  if (doubled) {
    undoubled.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
      undoubled += raw[i];
      if (raw[i] == quote && i + 1 < raw.size() && raw[i + 1] == quote) ++i;
    }
    raw = undoubled;
  }
  if (!references) return std::string(raw);
  out.reserve(raw.size());
  ResolveReferences(raw, out);
  return out;
}

// One pass over the text: markup that carries no elements is passed over, start tags
// (with their attributes) and end tags build the element list, with an explicit stack of
// the open elements instead of recursion.
class Document::Parser {
 public:
  explicit Parser(Document& doc) : doc_(doc), text_(doc.text_), data_(text_.data()), n_(text_.size()) {}

  void run() {
    pos_ = text_.find('<');
    if (pos_ == std::string_view::npos) doc_.fail(n_, "Der Text enthält kein XML-Element.");
    while (pos_ < n_) {
      if (data_[pos_] != '<') {
        skipCharacterData();
      } else if (startsWith("<?") || startsWith("<!")) {
        skipMarkup();
      } else if (startsWith("</")) {
        readEndTag();
      } else {
        readStartTag();
      }
    }
    checkAllClosed();
  }

 private:
  static std::uint32_t u32(std::size_t v) { return static_cast<std::uint32_t>(v); }
  bool startsWith(std::string_view s) const { return text_.substr(pos_).starts_with(s); }
  // The scanning loops work on a local position, which the compiler keeps in a register.
  void skipSpace() {
    std::size_t at = pos_;
    while (at < n_ && IsSpace(data_[at])) ++at;
    pos_ = at;
  }
  // Advances past a name and returns where it began.
  std::size_t readName() {
    const std::size_t begin = pos_;
    std::size_t at = begin;
    while (at < n_ && !EndsName(data_[at])) ++at;
    pos_ = at;
    return begin;
  }

  // Elements of a work file carry no character data, so it is passed over.
  void skipCharacterData() {
    const void* next = std::memchr(data_ + pos_, '<', n_ - pos_);
    pos_ = next ? static_cast<std::size_t>(static_cast<const char*>(next) - data_) : n_;
  }

  // Processing instructions, comments, CDATA sections and declarations.
  void skipMarkup() {
    const std::size_t tag = pos_;
    auto skipPast = [&](std::string_view end, const char* what) {
      const std::size_t at = text_.find(end, pos_);
      if (at == std::string_view::npos) doc_.fail(tag, std::string(what) + " ohne Ende.");
      pos_ = at + end.size();
    };
    if (startsWith("<?")) {
      skipPast("?>", "Verarbeitungsanweisung");
    } else if (startsWith("<!--")) {
      pos_ += 4;
      skipPast("-->", "Kommentar");
    } else if (startsWith("<![CDATA[")) {
      skipPast("]]>", "CDATA-Abschnitt");
    } else {
      skipDeclaration(tag);
    }
  }

  // A document type declaration, with an internal subset in brackets.
  void skipDeclaration(std::size_t tag) {
    int depth = 0;
    for (++pos_; pos_ < n_; ++pos_) {
      if (data_[pos_] == '[') ++depth;
      else if (data_[pos_] == ']') --depth;
      else if (data_[pos_] == '>' && depth <= 0) break;
    }
    if (pos_ >= n_) doc_.fail(tag, "Deklaration ohne Ende.");
    ++pos_;
  }

  void readEndTag() {
    const std::size_t tag = pos_;
    pos_ += 2;
    const std::size_t nameBegin = readName();
    const std::string_view closing = text_.substr(nameBegin, pos_ - nameBegin);
    skipSpace();
    if (pos_ >= n_ || data_[pos_] != '>') doc_.fail(tag, "End-Tag </" + Shown(closing) + "> ohne „>“.");
    if (open_.empty()) doc_.fail(tag, "End-Tag </" + Shown(closing) + "> ohne Start-Tag.");
    const Element& top = doc_.elements_[open_.back()];
    const std::string_view opening = text_.substr(top.nameBegin, top.nameLength);
    if (closing != opening) {
      const TextPosition p = PositionOf(text_, top.tagOffset);
      doc_.fail(tag, "End-Tag </" + Shown(closing) + "> passt nicht zum Start-Tag <" + Shown(opening) +
                         "> in Zeile " + std::to_string(p.line) + ", Spalte " + std::to_string(p.column) + ".");
    }
    doc_.elements_[open_.back()].subtreeEnd = u32(doc_.elements_.size());
    open_.pop_back();
    lastChild_.pop_back();
    ++pos_;
    if (open_.empty()) rootDone_ = true;
  }

  void readStartTag() {
    const std::size_t tag = pos_++;
    const std::size_t nameBegin = readName();
    const std::string_view name = text_.substr(nameBegin, pos_ - nameBegin);
    if (name.empty()) {
      doc_.fail(tag, pos_ < n_ ? "Nach „<“ fehlt der Elementname (" + ShownChar(data_[pos_]) + ")."
                               : std::string("Nach „<“ fehlt der Elementname."));
    }
    if (rootDone_) doc_.fail(tag, "Zweites Wurzelelement <" + Shown(name) + ">.");
    Element e;
    e.nameBegin = u32(nameBegin);
    e.nameLength = u32(name.size());
    e.tagOffset = u32(tag);
    e.firstAttribute = u32(doc_.attributes_.size());
    e.attributeCount = 0;
    const bool selfClosing = readAttributes(e, tag, name);
    addElement(e, selfClosing);
  }

  // Reads the attributes up to the end of the start tag; true for "/>".
  bool readAttributes(Element& e, std::size_t tag, std::string_view name) {
    for (;;) {
      skipSpace();
      if (pos_ >= n_) doc_.fail(tag, "Start-Tag <" + Shown(name) + "> ohne Ende.");
      if (data_[pos_] == '>') {
        ++pos_;
        return false;
      }
      if (data_[pos_] == '/') {
        if (pos_ + 1 < n_ && data_[pos_ + 1] == '>') {
          pos_ += 2;
          return true;
        }
        doc_.fail(pos_, "Unerwartetes „/“ im Start-Tag <" + Shown(name) + ">.");
      }
      readAttribute(name);
      ++e.attributeCount;
    }
  }

  void readAttribute(std::string_view elementName) {
    const std::size_t attrAt = pos_;
    const std::size_t attrBegin = readName();
    const std::string_view attrName = text_.substr(attrBegin, pos_ - attrBegin);
    if (attrName.empty())
      doc_.fail(pos_, "Unerwartetes " + ShownChar(data_[pos_]) + " im Start-Tag <" + Shown(elementName) + ">.");
    skipSpace();
    if (pos_ >= n_ || data_[pos_] != '=') doc_.fail(attrAt, "Dem Attribut " + Shown(attrName) + " fehlt „=“ und sein Wert.");
    ++pos_;
    skipSpace();
    if (pos_ >= n_ || (data_[pos_] != '"' && data_[pos_] != '\''))
      doc_.fail(pos_, "Der Wert des Attributs " + Shown(attrName) + " steht nicht in Anführungszeichen.");
    const char quote = data_[pos_];
    const std::size_t valueBegin = pos_ + 1;
    std::size_t at = valueBegin;
    for (;;) {
      const void* hit = std::memchr(data_ + at, quote, n_ - at);
      if (!hit) doc_.fail(attrAt, "Der Wert des Attributs " + Shown(attrName) + " hat kein Ende.");
      at = static_cast<std::size_t>(static_cast<const char*>(hit) - data_);
      if (at + 1 < n_ && data_[at + 1] == quote) {
        at += 2;  // a doubled quote character stands for one
        continue;
      }
      break;
    }
    doc_.attributes_.push_back(
        Attribute{u32(attrBegin), u32(attrName.size()), u32(valueBegin), u32(at - valueBegin), quote});
    pos_ = at + 1;
  }

  // Appends the element, links it to its parent and opens it unless it closed itself.
  void addElement(const Element& e, bool selfClosing) {
    const std::uint32_t index = u32(doc_.elements_.size());
    doc_.elements_.push_back(e);
    if (!open_.empty()) {
      std::uint32_t& last = lastChild_.back();
      if (last == kNoElement) doc_.elements_[open_.back()].firstChild = index;
      else doc_.elements_[last].nextSibling = index;
      last = index;
    }
    if (selfClosing) {
      doc_.elements_[index].subtreeEnd = index + 1;
      if (open_.empty()) rootDone_ = true;
    } else {
      open_.push_back(index);
      lastChild_.push_back(kNoElement);
    }
  }

  void checkAllClosed() const {
    if (!open_.empty()) {
      const Element& top = doc_.elements_[open_.back()];
      const TextPosition p = PositionOf(text_, top.tagOffset);
      doc_.fail(n_, "Unerwartetes Textende: Das Element <" + Shown(text_.substr(top.nameBegin, top.nameLength)) +
                        "> aus Zeile " + std::to_string(p.line) + ", Spalte " + std::to_string(p.column) +
                        " ist nicht geschlossen.");
    }
    if (doc_.elements_.empty()) doc_.fail(n_, "Der Text enthält kein XML-Element.");
  }

  Document& doc_;
  const std::string_view text_;
  const char* const data_;
  const std::size_t n_;
  std::size_t pos_ = 0;
  std::vector<std::uint32_t> open_;       // elements whose end tag is still to come
  std::vector<std::uint32_t> lastChild_;  // per open element, its last child so far
  bool rootDone_ = false;
};

Document::Document(std::string_view text) : text_(text) {
  if (text.size() >= std::numeric_limits<std::uint32_t>::max())
    throw XmlError("Ungültiges XML: Der Text ist größer als 4 GB.", 1, 1);
  Parser(*this).run();
}

void Document::fail(std::size_t offset, const std::string& what) const {
  TextPosition p = PositionOf(text_, offset);
  throw XmlError("Ungültiges XML in Zeile " + std::to_string(p.line) + ", Spalte " + std::to_string(p.column) +
                     ": " + what,
                 p.line, p.column);
}

std::string_view Document::name(std::uint32_t index) const {
  const Element& e = elements_[index];
  return text_.substr(e.nameBegin, e.nameLength);
}

std::uint32_t Document::findDescendant(std::uint32_t index, std::string_view wanted) const {
  const std::uint32_t end = elements_[index].subtreeEnd;
  for (std::uint32_t i = index + 1; i < end; ++i) {
    if (elements_[i].nameLength == wanted.size() && EqualsNoCase(name(i), wanted)) return i;
  }
  return kNoElement;
}

std::string Document::attribute(std::uint32_t index, std::string_view wanted) const {
  const Element& e = elements_[index];
  for (std::uint32_t a = e.firstAttribute; a < e.firstAttribute + e.attributeCount; ++a) {
    const Attribute& attr = attributes_[a];
    if (attr.nameLength == wanted.size() && EqualsNoCase(text_.substr(attr.nameBegin, attr.nameLength), wanted))
      return DecodeAttributeValue(text_.substr(attr.valueBegin, attr.valueLength), attr.quote);
  }
  return {};
}

}  // namespace orvela::xml
