#pragma once
// The 72-byte header in front of the XML text: the magic "OVWP00000001" and a check field
// of 28 "0" followed by the upper-case hexadecimal MD5 digest of the XML bytes.
#include <cstddef>
#include <string>
#include <string_view>

namespace orvela {

inline constexpr std::string_view kWorkFileMagic = "OVWP00000001";
inline constexpr std::size_t kCheckFieldWidth = 60;
inline constexpr std::size_t kHeaderSize = 72;

// 32 upper-case hexadecimal digits, digest byte 0 first.
std::string Md5Hex(std::string_view bytes);
// The 60-character check field for `xml`.
std::string CheckField(std::string_view xml);
// Magic, check field and the XML text: the whole content of a work file.
std::string BuildEnvelope(std::string_view xml);
// True when `content` starts with the magic and its check field matches the rest exactly
// (letter case counts).
bool EnvelopeIsIntact(std::string_view content);

// The integrity test of a file on disk: false when it does not exist (a directory counts
// as missing) or fails EnvelopeIsIntact. Throws FileError when it exists but cannot be read.
bool CheckFileIntegrity(const std::string& path);
// The test before a file is opened: accepted without reading when the check is switched off.
bool CheckWorkFile(const std::string& path, bool noIntegrityCheck);

}  // namespace orvela
