#pragma once
// The XML document of a work file: written byte for byte in one fixed form, read leniently
// so that every work file written by earlier versions still opens.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "model/WorkFileData.h"
#include "storage/XmlDocument.h"

namespace orvela {

inline constexpr std::string_view kFileType = "ORVELA_WP_DOCUMENT";
inline constexpr std::string_view kFileVersion = "1.00";
inline constexpr std::string_view kAppVersion = "1.10";

// The two conditions reading reports and then reads on.
enum class LoadWarning { NotAWorkFile, NewerVersion };
// "Die gewählte Datei ist keine Orvela-WP Datei!" / "… von einer aktuelleren Orvela-WP Version!" (UTF-8).
const std::string& LoadWarningText(LoadWarning warning);
using WarningSink = std::function<void(LoadWarning warning, const std::string& text)>;

// The XML text of the work file (Windows-1252, CR LF line breaks).
std::string BuildWorkFileXml(const WorkFileData& data);
// One definition list (list text) as ITEM elements, appended to `out` at an indent of four.
void WriteDefinitions(std::string& out, std::string_view listText);

// Fills `data`, which must be new and empty, from `text` (the whole file may be passed: the
// XML starts at the first "<"). Items are not renumbered. Throws xml::XmlError for text that
// is not XML or lacks one of the main elements; what was read before stays in `data`.
void ParseWorkFileXml(WorkFileData& data, std::string_view text, const WarningSink& warnings);
// The list text of the definition list under the element named `elementName`.
std::string ReadDefinitions(const xml::Document& doc, std::string_view elementName);
// Writes the attributes and findings of one STRUCTURE_ITEM element into `item`.
void ReadStructureItem(const xml::Document& doc, std::uint32_t element, FieldList& item);

// FILEVERSION compared by character codes, a longer text with an equal beginning greater.
bool IsNewerFileVersion(std::string_view fileVersion);
// "True"/"False" in any case, or a number (non-zero is true); nothing for other text.
std::optional<bool> ReadTruthValue(std::string_view text);

}  // namespace orvela
