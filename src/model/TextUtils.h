#pragma once
// Shared text and file operations. Text is Windows-1252, one byte per character;
// positions count from 1 and 0 means "not found".
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orvela {

// Windows-1252 case mapping (a–z, à–þ without ÷, š/Š, œ/Œ, ž/Ž, ÿ/Ÿ; ß and µ have none).
unsigned char UpperCase1252(unsigned char c);
unsigned char LowerCase1252(unsigned char c);
std::string UpperCase(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

std::size_t FindNoCase(std::string_view part, std::string_view text);
bool ContainsExact(std::string_view text, std::string_view part);
std::string TextBefore(std::string_view marker, std::string_view text);
std::string TextAfter(std::string_view marker, std::string_view text);
std::string ReplaceMatches(std::string_view text, std::string_view search, std::string_view replacement,
                           bool all, bool ignoreCase);
std::vector<std::string> SplitAtChar(std::string_view text, char separator);
std::string PadLeftTo(std::string_view text, std::size_t width, char fill);
std::string TrimLeadingChars(std::string_view text, std::string_view set);
std::string Unquote(std::string_view text);
// Part of a text by start position (from 1) and count, with the forgiving bounds rules.
std::string CopyText(std::string_view text, long long start, long long count);

// A file that could not be read or written. what() is a German message (UTF-8) that names
// the path; path() is the path as given.
class FileError : public std::runtime_error {
 public:
  FileError(const std::string& message, std::string path);
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Paths are native file-system paths (UTF-8 on this platform), not Windows-1252.
std::string ReadWholeFile(const std::string& path);               // throws FileError
void WriteWholeFile(const std::string& path, std::string_view text);  // throws FileError

}  // namespace orvela
