#include "storage/RecoveryCopy.h"

#include <charconv>
#include <vector>

#include "storage/Envelope.h"

namespace orvela {
namespace {

constexpr std::string_view kMagic = "ORVELA-WP-RECOVERY 1";
// A record longer than this is no record of ours (paths are far shorter).
constexpr std::size_t kMaxRecordSize = 64 * 1024;

// Paths may hold line breaks; the record is one value per line.
std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
  return out;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\': out += '\\'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      default: return std::nullopt;
    }
  }
  return out;
}

std::optional<std::int64_t> Number(std::string_view text) {
  std::int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace

std::string BuildRecoveryCopy(const RecoveryRecord& record, std::string_view workFileContent) {
  std::string out(kMagic);
  out += "\npath " + Escape(record.originalPath);
  out += "\nsaved " + std::to_string(record.savedMs);
  out += "\npid " + std::to_string(record.pid);
  out += "\nhost " + Escape(record.host);
  if (record.original)
    out += "\noriginal " + std::to_string(record.original->modifiedMs) + ' ' + std::to_string(record.original->size);
  out += "\nsize " + std::to_string(workFileContent.size());
  out += "\nmd5 " + Md5Hex(workFileContent);
  out += "\n\n";
  out += workFileContent;
  return out;
}

ReadRecoveryCopy ParseRecoveryCopy(std::string_view bytes) {
  ReadRecoveryCopy result;
  const std::size_t recordEnd = bytes.substr(0, kMaxRecordSize).find("\n\n");
  // Unreadable, the bytes after the first blank line are still the best guess of the content.
  result.content = std::string(recordEnd == std::string_view::npos ? bytes : bytes.substr(recordEnd + 2));
  if (recordEnd == std::string_view::npos) return result;
  const std::vector<std::string_view> lines = Lines(bytes.substr(0, recordEnd));
  if (lines.front() != kMagic) return result;

  RecoveryRecord record;
  std::optional<std::string> path, host, md5;
  std::optional<std::int64_t> saved, pid, size;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const std::size_t space = line.find(' ');
    const std::string_view key = line.substr(0, space);
    const std::string_view value = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
    if (key == "path") {
      path = Unescape(value);
    } else if (key == "host") {
      host = Unescape(value);
    } else if (key == "saved") {
      saved = Number(value);
    } else if (key == "pid") {
      pid = Number(value);
    } else if (key == "size") {
      size = Number(value);
    } else if (key == "md5") {
      md5 = std::string(value);
    } else if (key == "original") {
      const std::size_t gap = value.find(' ');
      const auto modified = Number(value.substr(0, gap));
      const auto bytesOnDisk = gap == std::string_view::npos ? std::nullopt : Number(value.substr(gap + 1));
      if (!modified || !bytesOnDisk) return result;
      record.original = OriginalState{*modified, *bytesOnDisk};
    }
    // Other keys come from a newer program and are passed over.
  }
  if (!path || !host || !saved || !pid || !size || !md5) return result;
  record.originalPath = std::move(*path);
  record.host = std::move(*host);
  record.savedMs = *saved;
  record.pid = *pid;

  result.record = std::move(record);
  const bool whole = *size >= 0 && std::size_t(*size) == result.content.size();
  result.status = whole && Md5Hex(result.content) == *md5 ? ReadRecoveryCopy::Status::Intact
                                                           : ReadRecoveryCopy::Status::Damaged;
  return result;
}

}  // namespace orvela
