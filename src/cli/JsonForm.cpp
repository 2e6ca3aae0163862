#include "cli/JsonForm.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstdio>
#include <limits>
#include <vector>

#include "model/Cp1252.h"
#include "model/DelimitedText.h"

namespace orvela::cli {
namespace {

using nlohmann::json;

// ---- writing ---------------------------------------------------------------------------

class JsonWriter {
 public:
  std::string out;

  void text(std::string_view cp1252) { out += json(Cp1252ToUtf8(cp1252)).dump(); }
  void newline(std::size_t depth) {
    out += '\n';
    // Deep trees would otherwise grow quadratically in indentation.
    out.append(std::min<std::size_t>(depth, 32) * 2, ' ');
  }
  void key(std::size_t depth, std::string_view name, bool first) {
    if (!first) out += ',';
    newline(depth);
    out += '"';
    out.append(name);
    out += "\": ";
  }
  void textArray(std::size_t depth, const std::vector<std::string>& lines) {
    if (lines.empty()) {
      out += "[]";
      return;
    }
    out += '[';
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) out += ',';
      newline(depth + 1);
      text(lines[i]);
    }
    newline(depth);
    out += ']';
  }
};

void WriteDefinitions(JsonWriter& w, std::size_t depth, std::string_view listText) {
  std::vector<std::string> entries = SplitListText(listText);
  if (entries.empty()) {
    w.out += "[]";
    return;
  }
  w.out += '[';
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0) w.out += ',';
    w.newline(depth + 1);
    w.textArray(depth + 1, ReadCommaText(entries[i]));
  }
  w.newline(depth);
  w.out += ']';
}

// A tree as nested node objects, walked with an explicit stack.
void WriteTree(JsonWriter& w, std::size_t depth, const RecordNode& root, bool withExpanded) {
  struct Frame {
    const RecordNode* parent;
    std::size_t next;
    std::size_t depth;  // of the array's brackets
  };
  if (root.childCount() == 0) {
    w.out += "[]";
    return;
  }
  w.out += '[';
  std::vector<Frame> stack{{&root, 0, depth}};
  while (!stack.empty()) {
    Frame& f = stack.back();
    if (f.next == f.parent->childCount()) {
      const std::size_t d = f.depth;
      stack.pop_back();
      w.newline(d);
      w.out += ']';
      if (!stack.empty()) {
        w.newline(stack.back().depth + 1);
        w.out += '}';
      }
      continue;
    }
    const RecordNode& node = *f.parent->child(f.next);
    if (f.next++ > 0) w.out += ',';
    const std::size_t d = f.depth + 1;  // of the node's braces
    w.newline(d);
    w.out += '{';
    w.key(d + 1, "record", true);
    w.textArray(d + 1, node.record.lines());
    if (withExpanded) {
      w.key(d + 1, "expanded", false);
      w.out += node.expanded ? "true" : "false";
    }
    w.key(d + 1, "children", false);
    if (node.childCount() == 0) {
      w.out += "[]";
      w.newline(d);
      w.out += '}';
    } else {
      w.out += '[';
      stack.push_back({&node, 0, d + 1});
    }
  }
}

// ---- reading ---------------------------------------------------------------------------

[[noreturn]] void Fail(const std::string& place, const std::string& problem) {
  throw JsonFormError((place.empty() ? std::string("top level") : place) + ": " + problem);
}

std::string Join(const std::string& place, std::string_view key) {
  return place.empty() ? std::string(key) : place + "." + std::string(key);
}
std::string Index(const std::string& place, std::size_t i) { return place + "[" + std::to_string(i) + "]"; }

std::string CodePoint(char32_t c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(c));
  return buf;
}

// The Windows-1252 text of a JSON string; false, with `problem` said, when it is none.
bool ConvertText(const json& value, std::string& out, std::string& problem) {
  if (!value.is_string()) {
    problem = "expected a string";
    return false;
  }
  const std::string& utf8 = value.get_ref<const std::string&>();
  char32_t bad = 0;
  if (Utf8ToCp1252(utf8, out, &bad)) return true;
  // `out` holds what came before the character, so its UTF-8 length is where it starts.
  const std::size_t start = Cp1252ToUtf8(out).size();
  std::size_t length = 1;
  while (start + length < utf8.size() && (static_cast<unsigned char>(utf8[start + length]) & 0xC0) == 0x80) ++length;
  const std::string shown = bad == 0xFFFD || start >= utf8.size() ? "" : " \"" + utf8.substr(start, length) + "\"";
  problem = "character " + CodePoint(bad) + shown + " cannot be stored in Windows-1252";
  return false;
}

std::string ReadText(const json& value, const std::string& place) {
  std::string out, problem;
  if (!ConvertText(value, out, problem)) Fail(place, problem);
  return out;
}

const json& RequireArray(const json& value, const std::string& place) {
  if (!value.is_array()) Fail(place, "expected an array");
  return value;
}

std::vector<std::string> ReadLines(const json& value, const std::string& place) {
  std::vector<std::string> lines;
  const json& array = RequireArray(value, place);
  lines.reserve(array.size());
  for (std::size_t i = 0; i < array.size(); ++i) lines.push_back(ReadText(array[i], Index(place, i)));
  return lines;
}

std::string ReadDefinitions(const json& value, const std::string& place) {
  std::vector<FieldList> entries;
  const json& array = RequireArray(value, place);
  for (std::size_t i = 0; i < array.size(); ++i) entries.emplace_back(ReadLines(array[i], Index(place, i)));
  return ListToText(entries);
}

// Node objects of a tree, read with an explicit stack. The place of a node is only
// spelled out for a message: built for every node it would cost time and memory in
// proportion to the depth.
void ReadTree(const json& value, const std::string& place, RecordTree& tree, bool withExpanded) {
  struct Pending {
    const json* array;
    RecordNode* parent;
    std::size_t next;
  };
  std::vector<Pending> stack{{&RequireArray(value, place), nullptr, 0}};
  // The place of the node the top frame handed out last, with an optional key below it.
  auto nodePlace = [&](std::string_view key = {}) {
    std::string out = place;
    for (std::size_t i = 0; i < stack.size(); ++i) {
      if (i > 0) out += ".children";
      out += "[" + std::to_string(stack[i].next - 1) + "]";
    }
    return key.empty() ? out : Join(out, key);
  };
  while (!stack.empty()) {
    Pending& p = stack.back();
    if (p.next == p.array->size()) {
      stack.pop_back();
      continue;
    }
    const json& node = (*p.array)[p.next++];
    RecordNode* parent = p.parent;  // `p` may move when the stack grows
    if (!node.is_object()) Fail(nodePlace(), "expected an object");
    for (const auto& [k, v] : node.items()) {
      if (k != "record" && k != "children" && !(withExpanded && k == "expanded")) Fail(nodePlace(k), "unknown key");
    }
    FieldList record;
    if (auto it = node.find("record"); it != node.end()) {
      if (!it->is_array()) Fail(nodePlace("record"), "expected an array");
      std::vector<std::string> lines;
      lines.reserve(it->size());
      std::string problem;
      for (std::size_t i = 0; i < it->size(); ++i) {
        if (!ConvertText((*it)[i], lines.emplace_back(), problem)) Fail(Index(nodePlace("record"), i), problem);
      }
      record = FieldList(std::move(lines));
    }
    RecordNode* added = tree.append(parent, std::move(record));
    if (auto it = node.find("expanded"); it != node.end()) {
      if (!it->is_boolean()) Fail(nodePlace("expanded"), "expected true or false");
      added->expanded = it->get<bool>();
    }
    if (auto it = node.find("children"); it != node.end()) {
      if (!it->is_array()) Fail(nodePlace("children"), "expected an array");
      stack.push_back({&*it, added, 0});
    }
  }
}

}  // namespace

std::string WorkFileToJson(const WorkFileData& data) {
  JsonWriter w;
  w.out += '{';
  w.key(1, "format", true);
  w.text(kJsonFormat);
  w.key(1, "version", false);
  w.out += std::to_string(kJsonVersion);
  const std::array<std::pair<std::string_view, const std::string*>, 4> stamps{{
      {"createdBy", &data.createdBy},
      {"createdAt", &data.createdAt},
      {"savedBy", &data.savedBy},
      {"savedAt", &data.savedAt},
  }};
  for (const auto& [name, value] : stamps) {
    w.key(1, name, false);
    w.text(*value);
  }
  w.key(1, "lastItemId", false);
  w.out += std::to_string(data.lastItemId);
  w.key(1, "description", false);
  w.text(data.description);
  const std::array<std::pair<std::string_view, const std::string*>, 4> lists{{
      {"generalDefs", &data.generalDefs},
      {"riskDefs", &data.riskDefs},
      {"ouDefs", &data.ouDefs},
      {"staffDefs", &data.staffDefs},
  }};
  for (const auto& [name, value] : lists) {
    w.key(1, name, false);
    WriteDefinitions(w, 1, *value);
  }
  w.key(1, "documents", false);
  WriteTree(w, 1, data.documents.root(), false);
  w.key(1, "structure", false);
  WriteTree(w, 1, data.structure.root(), true);
  w.newline(0);
  w.out += "}\n";
  return w.out;
}

void WorkFileFromJson(std::string_view text, WorkFileData& data) {
  json doc;
  try {
    doc = json::parse(text);
  } catch (const json::exception& e) {  // a syntax error, or a number too large for any type
    throw JsonFormError(std::string("not valid JSON: ") + e.what());
  }
  if (!doc.is_object()) Fail("", "expected an object");

  auto format = doc.find("format");
  if (format == doc.end()) Fail("format", "missing; expected \"orvela-wp-json\"");
  if (!format->is_string() || format->get_ref<const std::string&>() != kJsonFormat) Fail("format", "expected \"orvela-wp-json\"");
  auto version = doc.find("version");
  if (version == doc.end()) Fail("version", "missing; expected 1");
  if (!version->is_number_integer() || version->get<long long>() != kJsonVersion) Fail("version", "expected 1");

  const std::array<std::pair<std::string_view, std::string*>, 5> texts{{
      {"createdBy", &data.createdBy},
      {"createdAt", &data.createdAt},
      {"savedBy", &data.savedBy},
      {"savedAt", &data.savedAt},
      {"description", &data.description},
  }};
  const std::array<std::pair<std::string_view, std::string*>, 4> lists{{
      {"generalDefs", &data.generalDefs},
      {"riskDefs", &data.riskDefs},
      {"ouDefs", &data.ouDefs},
      {"staffDefs", &data.staffDefs},
  }};
  // Named copies rather than a structured binding: clang 14 cannot capture bindings in the
  // lambdas below.
  for (const auto& item : doc.items()) {
    const std::string k = item.key();
    const json& value = item.value();
    const std::string place = Join("", k);
    auto text = std::find_if(texts.begin(), texts.end(), [&](const auto& t) { return t.first == k; });
    auto list = std::find_if(lists.begin(), lists.end(), [&](const auto& t) { return t.first == k; });
    if (k == "format" || k == "version") {
      continue;
    } else if (text != texts.end()) {
      *text->second = ReadText(value, place);
    } else if (list != lists.end()) {
      *list->second = ReadDefinitions(value, place);
    } else if (k == "lastItemId") {
      if (!value.is_number_integer() || value.get<long long>() < 0 ||
          value.get<long long>() > std::numeric_limits<int>::max())
        Fail(place, "expected a whole number from 0");
      data.lastItemId = value.get<int>();
    } else if (k == "documents") {
      ReadTree(value, place, data.documents, false);
    } else if (k == "structure") {
      ReadTree(value, place, data.structure, true);
    } else {
      Fail(place, "unknown key");
    }
  }
}

}  // namespace orvela::cli
