#pragma once
#include <string>
#include <string_view>

namespace orvela {

// A work-file value made safe for insertion into RTF text: "\" becomes "\\", "}" becomes
// "\}" and "{" becomes "\{"; each line break (CR LF, a lone CR or a lone LF) becomes the
// line break "\line " of RTF, so that the lines of a value stay lines. Everything else,
// 8-bit letters included, stays as it is.
std::string RtfEscape(std::string_view value);

}  // namespace orvela
