#include "reports/engine/RtfEscape.h"

namespace orvela {

std::string RtfEscape(std::string_view value) {
  // One pass gives the same text as escaping backslashes first and the braces after:
  // the backslashes put in front of braces are never doubled.
  std::string out;
  out.reserve(value.size());
  for (char c : value) {
    if (c == '\\' || c == '{' || c == '}') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace orvela
