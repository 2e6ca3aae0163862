// The JSON form that the command-line import reads, from arbitrary bytes. Refusal with a
// JsonFormError is fine; whatever is taken must write out as JSON that reads again to the
// same text, and as a work file that reads back with every item and document.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "cli/JsonForm.h"
#include "storage/WorkFileXml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  orvela::WorkFileData data;
  try {
    orvela::cli::WorkFileFromJson(text, data);
  } catch (const orvela::cli::JsonFormError&) {
    return 0;
  }
  const std::string json = orvela::cli::WorkFileToJson(data);
  orvela::WorkFileData again;
  try {
    orvela::cli::WorkFileFromJson(json, again);
  } catch (const orvela::cli::JsonFormError&) {
    std::abort();  // our own JSON must always read
  }
  if (orvela::cli::WorkFileToJson(again) != json) std::abort();

  orvela::WorkFileData read;
  try {
    orvela::ParseWorkFileXml(read, orvela::BuildWorkFileXml(data), {});
  } catch (const orvela::xml::XmlError&) {
    std::abort();  // an imported file must save as a readable work file
  }
  if (read.structure.count() != data.structure.count() || read.documents.count() != data.documents.count())
    std::abort();
  return 0;
}
