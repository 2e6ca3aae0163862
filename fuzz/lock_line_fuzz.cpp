// The reader of lock lines over arbitrary bytes (another program's lock, or garbage in its
// place): no crash, and a line written for what was read reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/LockFile.h"

namespace {

bool HasLineBreak(const orvela::LockOwner& o) {
  for (const std::string* field : {&o.userStamp, &o.login, &o.host, &o.time})
    if (field->find_first_of("\r\n") != std::string::npos) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  const std::optional<orvela::LockOwner> owner = orvela::ParseLockLine(text);
  if (!owner) return 0;
  if (owner->pid < 0) std::abort();
  // Line breaks inside a field are written as blanks, so only those without come back whole.
  if (!HasLineBreak(*owner) && orvela::ParseLockLine(orvela::FormatLockLine(*owner)) != owner) std::abort();
  return 0;
}
