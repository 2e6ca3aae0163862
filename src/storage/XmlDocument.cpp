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

Document::Document(std::string_view text) : text_(text) {
  if (text.size() >= std::numeric_limits<std::uint32_t>::max())
    throw XmlError("Ungültiges XML: Der Text ist größer als 4 GB.", 1, 1);
  parse();
}

void Document::fail(std::size_t offset, const std::string& what) const {
  TextPosition p = PositionOf(text_, offset);
  throw XmlError("Ungültiges XML in Zeile " + std::to_string(p.line) + ", Spalte " + std::to_string(p.column) +
                     ": " + what,
                 p.line, p.column);
}

void Document::parse() {
  const char* const data = text_.data();
  const std::size_t n = text_.size();
  auto u32 = [](std::size_t v) { return static_cast<std::uint32_t>(v); };
  auto startsWith = [&](std::size_t at, std::string_view s) { return text_.substr(at).starts_with(s); };
  auto skipSpace = [&](std::size_t& at) {
    while (at < n && IsSpace(data[at])) ++at;
  };
  auto readName = [&](std::size_t& at) {
    std::size_t begin = at;
    while (at < n && !EndsName(data[at])) ++at;
    return begin;
  };

  std::vector<std::uint32_t> open;       // elements whose end tag is still to come
  std::vector<std::uint32_t> lastChild;  // per open element, its last child so far
  bool rootDone = false;

  auto link = [&](std::uint32_t index) {
    if (open.empty()) return;
    std::uint32_t& last = lastChild.back();
    if (last == kNoElement) elements_[open.back()].firstChild = index;
    else elements_[last].nextSibling = index;
    last = index;
  };

  std::size_t pos = text_.find('<');
  if (pos == std::string_view::npos) fail(n, "Der Text enthält kein XML-Element.");

  while (pos < n) {
    if (data[pos] != '<') {
      // Character data: elements of a work file carry none, so it is passed over.
      const void* next = std::memchr(data + pos, '<', n - pos);
      pos = next ? static_cast<std::size_t>(static_cast<const char*>(next) - data) : n;
      continue;
    }
    const std::size_t tag = pos;
    auto skipPast = [&](std::string_view end, const char* what) {
      std::size_t at = text_.find(end, pos);
      if (at == std::string_view::npos) fail(tag, std::string(what) + " ohne Ende.");
      pos = at + end.size();
    };
    if (startsWith(pos, "<?")) {
      skipPast("?>", "Verarbeitungsanweisung");
    } else if (startsWith(pos, "<!--")) {
      pos += 4;
      skipPast("-->", "Kommentar");
    } else if (startsWith(pos, "<![CDATA[")) {
      skipPast("]]>", "CDATA-Abschnitt");
    } else if (startsWith(pos, "<!")) {
      // A document type declaration, with an internal subset in brackets.
      int depth = 0;
      for (++pos; pos < n; ++pos) {
        if (data[pos] == '[') ++depth;
        else if (data[pos] == ']') --depth;
        else if (data[pos] == '>' && depth <= 0) break;
      }
      if (pos >= n) fail(tag, "Deklaration ohne Ende.");
      ++pos;
    } else if (startsWith(pos, "</")) {
      pos += 2;
      std::size_t nameBegin = readName(pos);
      std::string_view closing = text_.substr(nameBegin, pos - nameBegin);
      skipSpace(pos);
      if (pos >= n || data[pos] != '>') fail(tag, "End-Tag </" + Shown(closing) + "> ohne „>“.");
      if (open.empty()) fail(tag, "End-Tag </" + Shown(closing) + "> ohne Start-Tag.");
      const Element& top = elements_[open.back()];
      std::string_view opening = text_.substr(top.nameBegin, top.nameLength);
      if (closing != opening) {
        TextPosition p = PositionOf(text_, top.tagOffset);
        fail(tag, "End-Tag </" + Shown(closing) + "> passt nicht zum Start-Tag <" + Shown(opening) + "> in Zeile " +
                      std::to_string(p.line) + ", Spalte " + std::to_string(p.column) + ".");
      }
      elements_[open.back()].subtreeEnd = u32(elements_.size());
      open.pop_back();
      lastChild.pop_back();
      ++pos;
      if (open.empty()) rootDone = true;
    } else {
      ++pos;
      std::size_t nameBegin = readName(pos);
      std::string_view name = text_.substr(nameBegin, pos - nameBegin);
      if (name.empty()) {
        fail(tag, pos < n ? "Nach „<“ fehlt der Elementname (" + ShownChar(data[pos]) + ")."
                          : std::string("Nach „<“ fehlt der Elementname."));
      }
      if (rootDone) fail(tag, "Zweites Wurzelelement <" + Shown(name) + ">.");
      Element e;
      e.nameBegin = u32(nameBegin);
      e.nameLength = u32(name.size());
      e.tagOffset = u32(tag);
      e.firstAttribute = u32(attributes_.size());
      e.attributeCount = 0;
      bool selfClosing = false;
      for (;;) {
        skipSpace(pos);
        if (pos >= n) fail(tag, "Start-Tag <" + Shown(name) + "> ohne Ende.");
        if (data[pos] == '>') {
          ++pos;
          break;
        }
        if (data[pos] == '/') {
          if (pos + 1 < n && data[pos + 1] == '>') {
            pos += 2;
            selfClosing = true;
            break;
          }
          fail(pos, "Unerwartetes „/“ im Start-Tag <" + Shown(name) + ">.");
        }
        std::size_t attrAt = pos;
        std::size_t attrBegin = readName(pos);
        std::string_view attrName = text_.substr(attrBegin, pos - attrBegin);
        if (attrName.empty()) fail(pos, "Unerwartetes " + ShownChar(data[pos]) + " im Start-Tag <" + Shown(name) + ">.");
        skipSpace(pos);
        if (pos >= n || data[pos] != '=') fail(attrAt, "Dem Attribut " + Shown(attrName) + " fehlt „=“ und sein Wert.");
        ++pos;
        skipSpace(pos);
        if (pos >= n || (data[pos] != '"' && data[pos] != '\''))
          fail(pos, "Der Wert des Attributs " + Shown(attrName) + " steht nicht in Anführungszeichen.");
        const char quote = data[pos];
        const std::size_t valueBegin = ++pos;
        for (;;) {
          const void* hit = std::memchr(data + pos, quote, n - pos);
          if (!hit) fail(attrAt, "Der Wert des Attributs " + Shown(attrName) + " hat kein Ende.");
          pos = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
          if (pos + 1 < n && data[pos + 1] == quote) {
            pos += 2;  // a doubled quote character stands for one
            continue;
          }
          break;
        }
        attributes_.push_back(
            Attribute{u32(attrBegin), u32(attrName.size()), u32(valueBegin), u32(pos - valueBegin), quote});
        ++e.attributeCount;
        ++pos;
      }
      const std::uint32_t index = u32(elements_.size());
      elements_.push_back(e);
      link(index);
      if (selfClosing) {
        elements_[index].subtreeEnd = index + 1;
        if (open.empty()) rootDone = true;
      } else {
        open.push_back(index);
        lastChild.push_back(kNoElement);
      }
    }
  }
  if (!open.empty()) {
    const Element& top = elements_[open.back()];
    TextPosition p = PositionOf(text_, top.tagOffset);
    fail(n, "Unerwartetes Textende: Das Element <" + Shown(text_.substr(top.nameBegin, top.nameLength)) +
                "> aus Zeile " + std::to_string(p.line) + ", Spalte " + std::to_string(p.column) +
                " ist nicht geschlossen.");
  }
  if (elements_.empty()) fail(n, "Der Text enthält kein XML-Element.");
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
