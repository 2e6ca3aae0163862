// Writing the XML text of a work file. Every byte of the form is fixed: older versions and
// the integrity check depend on it, so nothing here may go through a generic XML writer.
#include <algorithm>
#include <array>
#include <span>
#include <utility>
#include <vector>

#include "model/DelimitedText.h"
#include "model/srcGlobalDef.h"
#include "storage/WorkFileXml.h"
#include "storage/WorkFileXmlNames.h"

namespace orvela {
namespace {

using namespace xmlname;

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

// The values of a record's keys, in the order of `keys`, and the attributes over them.
template <std::size_t N>
struct RecordAttrs {
  RecordAttrs(const FieldList& record, const std::array<std::string_view, N>& keys) {
    for (std::size_t i = 0; i < N; ++i) {
      values[i] = record.value(keys[i]);
      list[i] = {keys[i], values[i]};
    }
  }
  std::array<std::string, N> values;
  std::array<Attr, N> list;
};

// `fixed` followed by those of `optional` whose values are not empty.
template <std::size_t N>
std::vector<Attr> WithOptional(std::span<const Attr> fixed, const RecordAttrs<N>& optional) {
  std::vector<Attr> out(fixed.begin(), fixed.end());
  for (const Attr& a : optional.list)
    if (!a.second.empty()) out.push_back(a);
  return out;
}

void AppendStartTag(std::string& out, int indent, std::string_view name, std::span<const Attr> attrs) {
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
void AppendLeaf(std::string& out, int indent, std::string_view name, std::span<const Attr> attrs) {
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
  AppendParent(out, 6, kFindings, !entries.empty(), [&] {
    for (const std::string& entry : entries) {
      if (entry.empty()) {
        AppendLeaf(out, 8, kFinding, {});
        continue;
      }
      const FieldList finding = FieldList::fromCommaText(entry);
      const RecordAttrs attrs(finding, kFindingAttrs);
      const RecordAttrs optional(finding, kFindingOptionalAttrs);
      AppendLeaf(out, 8, kFinding, WithOptional(attrs.list, optional));
    }
  });
}

void WriteStructureItem(std::string& out, const RecordNode& node) {
  const FieldList& r = node.record;
  const std::string parent = node.parent() && !node.parent()->isRoot() ? node.parent()->record.value(key::ID) : "0";
  const std::string id = r.value(key::ID);
  const RecordAttrs fields(r, kItemAttrs);
  std::array<Attr, kItemAttrs.size() + 3> attrs;
  attrs.front() = {key::ID, id};
  attrs[1] = {kParentAttr, parent};
  std::copy(fields.list.begin(), fields.list.end(), attrs.begin() + 2);
  attrs.back() = {kExpandedAttr, node.expanded ? "True" : "False"};
  const RecordAttrs optional(r, kItemOptionalAttrs);
  AppendStartTag(out, 4, kStructureItem, WithOptional(attrs, optional));
  out.append(kCrLf);
  WriteFindings(out, r.value(key::FINDINGS));
  out.append(4, ' ');
  AppendEndTag(out, kStructureItem);
  out.append(kCrLf);
}

}  // namespace

void WriteDefinitions(std::string& out, std::string_view listText) {
  for (const std::string& entry : SplitListText(listText)) {
    FieldList e = FieldList::fromCommaText(entry);
    const std::string name = e.value(key::ITEM), value = e.value(key::VALUE);
    const Attr attrs[] = {{kEntryNameAttr, name}, {kEntryValueAttr, value}};
    AppendLeaf(out, 4, kDefinitionEntry, attrs);
  }
}

std::string BuildWorkFileXml(const WorkFileData& data) {
  std::string out;
  out.reserve(4096 + data.description.size());
  out.append("<?xml version=\"1.0\" encoding=\"windows-1252\"?>");
  out.append(kCrLf);
  out += '<';
  out.append(kRoot);
  out += '>';
  out.append(kCrLf);
  std::vector<Attr> info{{kFileTypeAttr, kFileType}, {kFileVersionAttr, kFileVersion}, {kAppVersionAttr, kAppVersion}};
  for (const DataField& stamp : kStamps) info.emplace_back(stamp.name, data.*stamp.field);
  info.emplace_back(kDescriptionAttr, data.description);
  AppendLeaf(out, 2, kDataInfo, info);

  for (const DataField& list : kDefinitionLists) {
    const std::string& listText = data.*list.field;
    AppendParent(out, 2, list.name, !listText.empty(), [&] { WriteDefinitions(out, listText); });
  }

  AppendParent(out, 2, kDocuments, !data.documents.empty(), [&] {
    data.documents.forEach([&](const RecordNode& doc) {
      const RecordAttrs attrs(doc.record, kDocumentAttrs);
      AppendLeaf(out, 4, kDocument, attrs.list);
    });
  });

  AppendParent(out, 2, kStructure, !data.structure.empty(),
               [&] { data.structure.forEach([&](const RecordNode& item) { WriteStructureItem(out, item); }); });

  out.append("</");
  out.append(kRoot);
  out += '>';
  out.append(kCrLf);
  return out;
}

}  // namespace orvela
