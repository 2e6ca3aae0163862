// Feeds arbitrary bytes to the RTF reader, then writes and re-reads what it got: the reader
// must survive anything, and what the writer makes of the result must read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "rtf/PlainText.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const orvela::rtf::Document document = orvela::rtf::ReadRtf(input);
  (void)orvela::rtf::PlainTextCp1252(document);
  const std::string written = orvela::rtf::WriteRtf(document);
  const std::string again = orvela::rtf::WriteRtf(orvela::rtf::ReadRtf(written));
  if (again != written) std::abort();
  return 0;
}
