// The reader of recovery copies over arbitrary bytes (a copy on disk may be damaged in any
// way): no crash, no hang, and an intact copy written again reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/RecoveryCopy.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  const orvela::ReadRecoveryCopy read = orvela::ParseRecoveryCopy(text);
  if (read.status != orvela::ReadRecoveryCopy::Status::Intact) return 0;
  const orvela::ReadRecoveryCopy again = orvela::ParseRecoveryCopy(orvela::BuildRecoveryCopy(read.record, read.content));
  if (again.status != orvela::ReadRecoveryCopy::Status::Intact || !(again.record == read.record) ||
      again.content != read.content)
    std::abort();
  return 0;
}
