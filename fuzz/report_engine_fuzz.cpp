// Report engine against the literal replacement order on small inputs; aborts when the two
// disagree. Input: the template bytes, then "\0DATA\0", then bytes from which a small work
// file is made. A data byte of 0xE0 or above stands for a piece of template language, so
// that values often hold placeholder and marker text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "../tests/reports/PlainReportEngine.h"
#include "model/DelimitedText.h"
#include "model/FieldList.h"
#include "model/RecordTree.h"
#include "reports/engine/ReportEngine.h"
#include "reports/engine/ReportSources.h"

namespace {

using namespace orvela;

constexpr std::string_view kSeparator{"\0DATA\0", 6};

constexpr std::string_view kPieces[32] = {
    "/VAR:",          "/VAR:DOCS:",      "NAME/",           "ID/",
    "/VAR:DOCS:ID/",  "/var:docs:name/", "/VAR:STRUCTURE:", "/VAR:STRUCTURE:LEVEL/",
    "/VAR:FINDINGS:", "/VAR:FINDINGS:NUM/", "DESCRIPTION/", "/VAR:GENERAL-DEFS:ITEM/",
    "/VAR:RISK-DEFS:", "-TEXT/",         "/VAR:FILENAME/",  "/var:description/",
    "/SCAN(",         "/ENDSCAN(",       ")/",              "DOCUMENTS",
    "FINDINGS",       "STRUCTURE",       "GENERAL-DEFS",    "\r\n",
    "/SCAN(DOCUMENTS)/", "/ENDSCAN(DOCUMENTS)/", "\\par",    "\\PAR ",
    "{",              "}",               "\\",              "/",
};

class Reader {
 public:
  explicit Reader(std::string_view data) : data_(data) {}
  unsigned byte() { return at_ < data_.size() ? static_cast<unsigned char>(data_[at_++]) : 0; }

  std::string value() {
    std::string text;
    for (unsigned n = byte() % 12; n > 0; --n) {
      const unsigned b = byte();
      if (b >= 0xE0) {
        text += kPieces[b - 0xE0];
      } else {
        text += static_cast<char>(b);
      }
    }
    return text;
  }

  std::string definitions() {
    std::vector<FieldList> entries;
    for (unsigned n = byte() % 4; n > 0; --n) entries.push_back(FieldList({"ITEM=" + value(), "VALUE=" + value()}));
    return ListToText(entries);
  }

  FieldList record(std::initializer_list<std::string_view> keys) {
    FieldList r;
    for (std::string_view key : keys) r.setValue(key, value());
    return r;
  }

  void tree(RecordTree& tree, unsigned most, bool findings) {
    std::vector<RecordNode*> nodes;
    for (unsigned n = byte() % (most + 1); n > 0; --n) {
      const unsigned parent = byte() % (nodes.size() + 1);
      FieldList r = findings ? record({"ID", "NAME", "RISK", "OU-X", "WORKSTATE", "DOCUMENTS", "DESCRIPTION", "RESULT",
                                       "PREPARED-BY", "PREPARED-AT", "REVIEWED-BY", "REVIEWED-AT", "REVIEW-NOTE"})
                             : record({"ID", "NAME", "TYPE", "REFERENCE", "DESCRIPTION"});
      if (findings) {
        std::vector<FieldList> list;
        for (unsigned f = byte() % 3; f > 0; --f) {
          list.push_back(record({"NAME", "TYPE", "RISK", "OU", "EVIDENCE", "DESCRIPTION", "DEADLINE", "STATUS",
                                 "RESPONSE", "RESPONSIBLE", "DONE-AT"}));
        }
        if (!list.empty()) r.setValue("FINDINGS", ListToText(list));
      }
      nodes.push_back(tree.append(parent == 0 ? nullptr : nodes[parent - 1], std::move(r)));
    }
  }

 private:
  std::string_view data_;
  std::size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(bytes), size);
  const std::size_t split = input.find(kSeparator);
  const std::string_view templateText = input.substr(0, split);
  Reader reader(split == std::string_view::npos ? std::string_view() : input.substr(split + kSeparator.size()));

  RecordTree documents, structure;
  ReportInput in;
  for (std::string* text : {&in.fileName, &in.createdBy, &in.createdAt, &in.savedBy, &in.savedAt, &in.currentDate,
                            &in.currentTime, &in.description}) {
    *text = reader.value();
  }
  for (std::string* list : {&in.generalDefs, &in.riskDefs, &in.ouDefs, &in.staffDefs}) *list = reader.definitions();
  reader.tree(documents, 6, false);
  reader.tree(structure, 8, true);
  in.documents = &documents;
  in.structure = &structure;

  const std::string fast = BuildReportText(templateText, in);
  const std::string literal = plain::ExpandTemplate(std::string(templateText), CollectReportSources(in));
  if (fast != literal) {
    std::fprintf(stderr, "report engine differs from the literal order\n");
    std::abort();
  }
  return 0;
}
