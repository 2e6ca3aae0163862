#include "reports/engine/RtfEscape.h"

#include <cstddef>

namespace orvela {

std::string RtfEscape(std::string_view value) {
  // One pass gives the same text as escaping backslashes first and the braces after:
  // the backslashes put in front of braces are never doubled. The blank after "\line"
  // ends the control word and is not shown.
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
      out += "\\line ";
      continue;
    }
    if (c == '\\' || c == '{' || c == '}') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace orvela
