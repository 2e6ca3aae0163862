// Reads arbitrary bytes as a whole work file (header and XML). Anything may be refused
// with an XmlError; nothing may crash, hang or leak. What is read must write out as text
// that reads again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/Envelope.h"
#include "storage/WorkFileXml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  orvela::EnvelopeIsIntact(text);
  orvela::WorkFileData data;
  try {
    orvela::ParseWorkFileXml(data, text, [](orvela::LoadWarning, const std::string&) {});
  } catch (const orvela::xml::XmlError&) {
    return 0;
  }
  const std::string written = orvela::BuildWorkFileXml(data);
  orvela::WorkFileData again;
  try {
    orvela::ParseWorkFileXml(again, written, {});
  } catch (const orvela::xml::XmlError&) {
    std::abort();  // our own output must always be readable
  }
  if (again.structure.count() != data.structure.count() || again.documents.count() != data.documents.count())
    std::abort();
  return 0;
}
