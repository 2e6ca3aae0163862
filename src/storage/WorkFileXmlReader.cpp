// Reading the XML text of a work file into fresh work-file data.
#include <array>
#include <unordered_map>

#include "model/Cp1252.h"
#include "model/DelimitedText.h"
#include "model/TextUtils.h"
#include "model/srcGlobalDef.h"
#include "storage/TreeOrderIndex.h"
#include "storage/WorkFileXml.h"
#include "storage/WorkFileXmlNames.h"

namespace orvela {

using namespace xmlname;

namespace {

// The element `name` below the root; a work file without it cannot be read on.
std::uint32_t RequireElement(const xml::Document& doc, std::string_view name) {
  std::uint32_t found = doc.findDescendant(0, name);
  if (found == xml::kNoElement) {
    xml::TextPosition p = doc.position(0);
    throw xml::XmlError("Ungültige Orvela-WP Datei in Zeile " + std::to_string(p.line) + ", Spalte " +
                            std::to_string(p.column) + ": Im Wurzelelement <" + Cp1252ToUtf8(doc.name(0)) +
                            "> fehlt das Element <" + std::string(name) + ">.",
                        p.line, p.column);
  }
  return found;
}

template <class Visit>
void ForEachChild(const xml::Document& doc, std::uint32_t parent, Visit&& visit) {
  for (std::uint32_t c = doc.element(parent).firstChild; c != xml::kNoElement; c = doc.element(c).nextSibling)
    visit(c);
}

void ReadDataInfo(WorkFileData& data, const xml::Document& doc, const WarningSink& warnings) {
  const std::uint32_t info = RequireElement(doc, kDataInfo);
  data.description = doc.attribute(info, kDescriptionAttr);
  auto warn = [&](LoadWarning w) {
    if (warnings) warnings(w, LoadWarningText(w));
  };
  if (doc.attribute(info, kFileTypeAttr) != kFileType) warn(LoadWarning::NotAWorkFile);
  if (IsNewerFileVersion(doc.attribute(info, kFileVersionAttr))) warn(LoadWarning::NewerVersion);
  for (const DataField& stamp : kStamps) data.*stamp.field = doc.attribute(info, stamp.name);
}

void ReadDocuments(WorkFileData& data, const xml::Document& doc) {
  const std::uint32_t documents = RequireElement(doc, kDocuments);
  ForEachChild(doc, documents, [&](std::uint32_t e) {
    FieldList record = NewDocumentRecord();
    for (std::string_view k : kDocumentAttrs) record.setValue(k, doc.attribute(e, k));
    data.documents.append(nullptr, std::move(record));
  });
}

void ReadStructure(WorkFileData& data, const xml::Document& doc) {
  const std::uint32_t structure = RequireElement(doc, kStructure);

  // First pass: place each item under the first item, in tree order, whose ID is its
  // PARENT. `firstWithId` keeps that item per ID as the tree grows.
  struct Placed {
    RecordNode* node;
    std::uint32_t order;
  };
  std::unordered_map<std::string, Placed> firstWithId;
  TreeOrderIndex order;
  ForEachChild(doc, structure, [&](std::uint32_t e) {
    if (doc.name(e) != kStructureItem) return;
    const std::string parentId = doc.attribute(e, kParentAttr);
    RecordNode* parent = nullptr;
    std::uint32_t parentOrder = TreeOrderIndex::kTopLevel;
    if (parentId != "0") {
      // A parent that names no item read before is not in the file we write; such an item
      // goes to the top level rather than being lost.
      if (auto it = firstWithId.find(parentId); it != firstWithId.end()) {
        parent = it->second.node;
        parentOrder = it->second.order;
      }
    }
    FieldList record = NewStructureItemRecord(data.lastItemId);
    ReadStructureItem(doc, e, record);
    RecordNode* node = data.structure.append(parent, std::move(record));
    const std::uint32_t nodeOrder = order.add(parentOrder);
    auto [it, inserted] = firstWithId.try_emplace(node->record.value(key::ID), Placed{node, nodeOrder});
    if (!inserted && order.before(nodeOrder, it->second.order)) it->second = Placed{node, nodeOrder};
  });

  // Second pass: the expanded state, on the first item in tree order with the element's ID.
  std::unordered_map<std::string, RecordNode*> byId;
  data.structure.forEach([&](RecordNode& node) { byId.try_emplace(node.record.value(key::ID), &node); });
  ForEachChild(doc, structure, [&](std::uint32_t e) {
    if (doc.name(e) != kStructureItem) return;
    auto it = byId.find(doc.attribute(e, key::ID));
    if (it == byId.end()) return;
    if (std::optional<bool> expanded = ReadTruthValue(doc.attribute(e, kExpandedAttr)))
      it->second->expanded = *expanded;
  });
}

}  // namespace

const std::string& LoadWarningText(LoadWarning warning) {
  static const std::string notAWorkFile = "Die gewählte Datei ist keine Orvela-WP Datei!";
  static const std::string newerVersion = "Die gewählte Datei ist von einer aktuelleren Orvela-WP Version!";
  return warning == LoadWarning::NotAWorkFile ? notAWorkFile : newerVersion;
}

bool IsNewerFileVersion(std::string_view fileVersion) { return fileVersion.compare(kFileVersion) > 0; }

std::optional<bool> ReadTruthValue(std::string_view text) {
  if (EqualsNoCase(text, "true")) return true;
  if (EqualsNoCase(text, "false")) return false;
  // A number: optional sign, digits, optionally a fractional part.
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool digits = false, nonZero = false, point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digits = true;
      nonZero = nonZero || c != '0';
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  return nonZero;
}

std::string ReadDefinitions(const xml::Document& doc, std::string_view elementName) {
  const std::uint32_t list = RequireElement(doc, elementName);
  std::string out;
  bool first = true;
  ForEachChild(doc, list, [&](std::uint32_t e) {
    if (!first) out += kListSeparator;
    first = false;
    out += WriteCommaText({std::string(key::ITEM) + "=" + doc.attribute(e, kEntryNameAttr),
                           std::string(key::VALUE) + "=" + doc.attribute(e, kEntryValueAttr)});
  });
  return out;
}

void ReadStructureItem(const xml::Document& doc, std::uint32_t element, FieldList& item) {
  item.setValue(key::ID, doc.attribute(element, key::ID));
  for (std::string_view k : kItemAttrs) item.setValue(k, doc.attribute(element, k));
  for (std::string_view k : kItemOptionalAttrs) item.setValue(k, doc.attribute(element, k));
  const std::uint32_t findings = doc.findDescendant(element, kFindings);
  if (findings == xml::kNoElement) return;
  std::string list;
  bool first = true;
  ForEachChild(doc, findings, [&](std::uint32_t e) {
    FieldList finding;
    auto take = [&](std::string_view k) {
      std::string value = doc.attribute(e, k);
      if (!value.empty()) finding.appendLine(std::string(k) + "=" + value);
    };
    for (std::string_view k : kFindingAttrs) take(k);
    for (std::string_view k : kFindingOptionalAttrs) take(k);
    if (!first) list += kListSeparator;
    first = false;
    list += finding.commaText();
  });
  item.setValue(key::FINDINGS, list);
}

void ParseWorkFileXml(WorkFileData& data, std::string_view text, const WarningSink& warnings) {
  const xml::Document doc(text);
  ReadDataInfo(data, doc, warnings);
  for (const DataField& list : kDefinitionLists) data.*list.field = ReadDefinitions(doc, list.name);
  ReadDocuments(data, doc);
  ReadStructure(data, doc);
}

}  // namespace orvela
