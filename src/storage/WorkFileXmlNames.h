#pragma once
// The element and attribute names of the work file's XML text, shared by the writer and
// the reader. The order of each attribute list is the order in which the writer puts the
// attributes; the reader looks them up by name.
#include <array>
#include <string>
#include <string_view>

#include "model/EvidenceFields.h"
#include "model/WorkFileData.h"
#include "model/srcGlobalDef.h"

namespace orvela::xmlname {

inline constexpr std::string_view kRoot = "ORVELA_WP_DOCUMENT";
inline constexpr std::string_view kDataInfo = "DATAINFO";
inline constexpr std::string_view kDocuments = "DOCUMENTS";
inline constexpr std::string_view kDocument = "DOCUMENT";
inline constexpr std::string_view kStructure = "STRUCTURE";
inline constexpr std::string_view kStructureItem = "STRUCTURE_ITEM";
inline constexpr std::string_view kFindings = "FINDINGS";
inline constexpr std::string_view kFinding = "FINDING";
inline constexpr std::string_view kDefinitionEntry = "ITEM";

// DATAINFO: the file type and versions, then the stamps, then the description.
inline constexpr std::string_view kFileTypeAttr = "FILETYPE";
inline constexpr std::string_view kFileVersionAttr = "FILEVERSION";
inline constexpr std::string_view kAppVersionAttr = "APPVERSION";
inline constexpr std::string_view kDescriptionAttr = "DESCRIPTION";
struct DataField {
  std::string_view name;  // attribute or element
  std::string WorkFileData::*field;
};
inline constexpr std::array<DataField, 4> kStamps{{
    {"USER_CREATED", &WorkFileData::createdBy},
    {"DATE_CREATED", &WorkFileData::createdAt},
    {"USER_CHANGED", &WorkFileData::savedBy},
    {"DATE_CHANGED", &WorkFileData::savedAt},
}};

// The four definition lists, each an element of ITEM elements with NAME and VALUE.
inline constexpr std::array<DataField, 4> kDefinitionLists{{
    {"PROPERTIES_GENERAL", &WorkFileData::generalDefs},
    {"PROPERTIES_RISK", &WorkFileData::riskDefs},
    {"PROPERTIES_OU", &WorkFileData::ouDefs},
    {"PROPERTIES_STAFF", &WorkFileData::staffDefs},
}};
inline constexpr std::string_view kEntryNameAttr = "NAME";
inline constexpr std::string_view kEntryValueAttr = "VALUE";

// Record keys written as attributes of the same name.
inline constexpr std::array<std::string_view, 5> kDocumentAttrs{key::ID, key::NAME, key::REFERENCE, key::TYPE,
                                                                key::DESCRIPTION};
// STRUCTURE_ITEM: ID, PARENT, these, then STATE-EXPANDED, then the optional ones.
inline constexpr std::string_view kParentAttr = "PARENT";
inline constexpr std::string_view kExpandedAttr = "STATE-EXPANDED";
inline constexpr std::array<std::string_view, 8> kItemAttrs{key::NAME,      key::RISK,        key::OU_X,
                                                            key::OU_UX,     key::WORKSTATE,   key::DESCRIPTION,
                                                            key::RESULT,    key::DOCUMENTS};
inline constexpr std::array<std::string_view, 7> kFindingAttrs{key::NAME,     key::TYPE,        key::RISK,    key::OU,
                                                               key::EVIDENCE, key::DESCRIPTION, key::DEADLINE};
// Written after the attributes above and only when not empty, so that a file which does not
// use them stays byte for byte what older versions write, and older readers, which look
// attributes up by name, pass over them.
inline constexpr std::array<std::string_view, 6> kItemOptionalAttrs{key::PREPARED_BY, key::PREPARED_AT,
                                                                    key::REVIEWED_BY, key::REVIEWED_AT,
                                                                    key::REVIEW_NOTE, key::REVIEW_DIGEST};
inline constexpr std::array<std::string_view, 4> kFindingOptionalAttrs{key::STATUS, key::RESPONSE, key::RESPONSIBLE,
                                                                       key::DONE_AT};

}  // namespace orvela::xmlname
