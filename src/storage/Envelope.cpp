#include "storage/Envelope.h"

#include <openssl/evp.h>

#include <filesystem>
#include <stdexcept>

#include "model/TextUtils.h"

namespace orvela {

std::string Md5Hex(std::string_view bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_md5(), nullptr) != 1 || length != 16)
    throw std::runtime_error("Die MD5-Prüfsumme kann nicht berechnet werden.");
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(32);
  for (unsigned int i = 0; i < length; ++i) {
    out += kHex[digest[i] >> 4];
    out += kHex[digest[i] & 15];
  }
  return out;
}

std::string CheckField(std::string_view xml) { return PadLeftTo(Md5Hex(xml), kCheckFieldWidth, '0'); }

std::string BuildEnvelope(std::string_view xml) {
  std::string content;
  content.reserve(kHeaderSize + xml.size());
  content.append(kWorkFileMagic);
  content.append(CheckField(xml));
  content.append(xml);
  return content;
}

bool EnvelopeIsIntact(std::string_view content) {
  if (content.substr(0, kWorkFileMagic.size()) != kWorkFileMagic) return false;
  std::string_view stored = content.substr(kWorkFileMagic.size(), kCheckFieldWidth);
  std::string_view xml = content.size() > kHeaderSize ? content.substr(kHeaderSize) : std::string_view();
  return stored == CheckField(xml);
}

bool CheckFileIntegrity(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec) || std::filesystem::is_directory(path, ec)) return false;
  return EnvelopeIsIntact(ReadWholeFile(path));
}

bool CheckWorkFile(const std::string& path, bool noIntegrityCheck) {
  return noIntegrityCheck || CheckFileIntegrity(path);
}

}  // namespace orvela
