#pragma once
#include <string>
#include <string_view>

namespace orvela {

// A work-file value made safe for insertion into RTF text: "\" becomes "\\", "}" becomes
// "\}" and "{" becomes "\{". Everything else, line breaks and 8-bit letters included,
// stays as it is.
std::string RtfEscape(std::string_view value);

}  // namespace orvela
