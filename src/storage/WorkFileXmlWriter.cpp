// Writing the XML text of a work file. Every byte of the form is fixed: older versions and
// the integrity check depend on it, so nothing here may go through a generic XML writer.
#include <array>
#include <utility>

#include "model/DelimitedText.h"
#include "model/srcGlobalDef.h"
#include "storage/WorkFileXml.h"

namespace orvela {
namespace {

constexpr std::string_view kCrLf = "\r\n";

void AppendEscaped(std::string& out, std::string_view value) {
  std::size_t plain = 0;
  for (std::size_t i = 0; i < value.size(); ++i) {
    std::string_view entity;
    switch (value[i]) {
      case '&': entity = "&amp;"; break;
      case '<': entity = "&lt;"; break;
      case '>': entity = "&gt;"; break;
      case '\'': entity = "&apos;"; break;
      case '"': entity = "&quot;"; break;
      default: continue;
    }
    out.append(value.substr(plain, i - plain));
    out.append(entity);
    plain = i + 1;
  }
  out.append(value.substr(plain));
}

using Attr = std::pair<std::string_view, std::string_view>;

void AppendStartTag(std::string& out, int indent, std::string_view name, std::initializer_list<Attr> attrs) {
  out.append(static_cast<std::size_t>(indent), ' ');
  out += '<';
  out.append(name);
  for (const auto& [key, value] : attrs) {
    out += ' ';
    out.append(key);
    out.append("=\"");
    AppendEscaped(out, value);
    out += '"';
  }
  out += '>';
}

void AppendEndTag(std::string& out, std::string_view name) {
  out.append("</");
  out.append(name);
  out += '>';
}

// An element with nothing inside: start and end tag on one line.
void AppendLeaf(std::string& out, int indent, std::string_view name, std::initializer_list<Attr> attrs) {
  AppendStartTag(out, indent, name, attrs);
  AppendEndTag(out, name);
  out.append(kCrLf);
}

// An element whose children `writeChildren` appends; without children it is a leaf.
template <class WriteChildren>
void AppendParent(std::string& out, int indent, std::string_view name, bool hasChildren,
                  WriteChildren&& writeChildren) {
  if (!hasChildren) {
    AppendLeaf(out, indent, name, {});
    return;
  }
  AppendStartTag(out, indent, name, {});
  out.append(kCrLf);
  writeChildren();
  out.append(static_cast<std::size_t>(indent), ' ');
  AppendEndTag(out, name);
  out.append(kCrLf);
}

void WriteFindings(std::string& out, std::string_view findings) {
  std::vector<std::string> entries = SplitListText(findings);
  AppendParent(out, 6, "FINDINGS", !entries.empty(), [&] {
    for (const std::string& entry : entries) {
      if (entry.empty()) {
        AppendLeaf(out, 8, "FINDING", {});
        continue;
      }
      FieldList f = FieldList::fromCommaText(entry);
      AppendLeaf(out, 8, "FINDING",
                 {{key::NAME, f.value(key::NAME)},
                  {key::TYPE, f.value(key::TYPE)},
                  {key::RISK, f.value(key::RISK)},
                  {key::OU, f.value(key::OU)},
                  {key::EVIDENCE, f.value(key::EVIDENCE)},
                  {key::DESCRIPTION, f.value(key::DESCRIPTION)},
                  {key::DEADLINE, f.value(key::DEADLINE)}});
    }
  });
}

void WriteStructureItem(std::string& out, const RecordNode& node) {
  const FieldList& r = node.record;
  const std::string parent = node.parent() && !node.parent()->isRoot() ? node.parent()->record.value(key::ID) : "0";
  AppendStartTag(out, 4, "STRUCTURE_ITEM",
                 {{key::ID, r.value(key::ID)},
                  {"PARENT", parent},
                  {key::NAME, r.value(key::NAME)},
                  {key::RISK, r.value(key::RISK)},
                  {key::OU_X, r.value(key::OU_X)},
                  {key::OU_UX, r.value(key::OU_UX)},
                  {key::WORKSTATE, r.value(key::WORKSTATE)},
                  {key::DESCRIPTION, r.value(key::DESCRIPTION)},
                  {key::RESULT, r.value(key::RESULT)},
                  {key::DOCUMENTS, r.value(key::DOCUMENTS)},
                  {"STATE-EXPANDED", node.expanded ? "True" : "False"}});
  out.append(kCrLf);
  WriteFindings(out, r.value(key::FINDINGS));
  out.append(4, ' ');
  AppendEndTag(out, "STRUCTURE_ITEM");
  out.append(kCrLf);
}

}  // namespace

void WriteDefinitions(std::string& out, std::string_view listText) {
  for (const std::string& entry : SplitListText(listText)) {
    FieldList e = FieldList::fromCommaText(entry);
    AppendLeaf(out, 4, "ITEM", {{"NAME", e.value(key::ITEM)}, {"VALUE", e.value(key::VALUE)}});
  }
}

std::string BuildWorkFileXml(const WorkFileData& data) {
  std::string out;
  out.reserve(4096 + data.description.size());
  out.append("<?xml version=\"1.0\" encoding=\"windows-1252\"?>");
  out.append(kCrLf);
  out.append("<ORVELA_WP_DOCUMENT>");
  out.append(kCrLf);
  AppendLeaf(out, 2, "DATAINFO",
             {{"FILETYPE", kFileType},
              {"FILEVERSION", kFileVersion},
              {"APPVERSION", kAppVersion},
              {"USER_CREATED", data.createdBy},
              {"DATE_CREATED", data.createdAt},
              {"USER_CHANGED", data.savedBy},
              {"DATE_CHANGED", data.savedAt},
              {"DESCRIPTION", data.description}});

  const std::array<std::pair<std::string_view, const std::string*>, 4> lists{{
      {"PROPERTIES_GENERAL", &data.generalDefs},
      {"PROPERTIES_RISK", &data.riskDefs},
      {"PROPERTIES_OU", &data.ouDefs},
      {"PROPERTIES_STAFF", &data.staffDefs},
  }};
  for (const auto& list : lists) {
    const std::string& listText = *list.second;
    AppendParent(out, 2, list.first, !listText.empty(), [&] { WriteDefinitions(out, listText); });
  }

  AppendParent(out, 2, "DOCUMENTS", !data.documents.empty(), [&] {
    data.documents.forEach([&](const RecordNode& doc) {
      const FieldList& r = doc.record;
      AppendLeaf(out, 4, "DOCUMENT",
                 {{key::ID, r.value(key::ID)},
                  {key::NAME, r.value(key::NAME)},
                  {key::REFERENCE, r.value(key::REFERENCE)},
                  {key::TYPE, r.value(key::TYPE)},
                  {key::DESCRIPTION, r.value(key::DESCRIPTION)}});
    });
  });

  AppendParent(out, 2, "STRUCTURE", !data.structure.empty(),
               [&] { data.structure.forEach([&](const RecordNode& item) { WriteStructureItem(out, item); }); });

  out.append("</ORVELA_WP_DOCUMENT>");
  out.append(kCrLf);
  return out;
}

}  // namespace orvela
