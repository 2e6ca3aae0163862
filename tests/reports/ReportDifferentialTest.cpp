// The engine against the literal replacement order, on generated templates and work
// files whose values often hold placeholder and marker text (any letter case, cut at any
// point), so that the cases where older rows or the seams between rows still hold
// placeholders are met often.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "PlainReportEngine.h"
#include "model/DelimitedText.h"
#include "reports/engine/ReportEngine.h"
#include "reports/engine/ReportSources.h"
#include "reports/engine/TemplateExpansion.h"

namespace orvela {
namespace {

const std::vector<std::string_view> kBlockNames = {"GENERAL-DEFS", "RISK-DEFINITIONS", "OU-DEFINITIONS",
                                                   "STAFF-DEFINITIONS", "DOCUMENTS", "FINDINGS", "STRUCTURE"};

class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {
    ReportInput empty;
    const ReportSources sources = CollectReportSources(empty);
    for (const SimplePlaceholder& p : sources.simple) placeholders_.emplace_back(p.placeholder);
    for (const ReportBlock& b : sources.blocks) {
      for (std::string_view p : b.placeholders) placeholders_.emplace_back(p);
    }
  }

  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool chance(int percent) { return below(100) < percent; }

  // Letter case changed at random: placeholders match in any case, markers only as spelt.
  std::string mixCase(std::string text) {
    if (chance(70)) return text;
    for (char& c : text) {
      if (c >= 'A' && c <= 'Z' && chance(50)) c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
  }

  std::string marker(bool end) {
    return mixCase(std::string(end ? "/ENDSCAN(" : "/SCAN(") + std::string(kBlockNames[below(7)]) + ")/");
  }

  std::string cut(const std::string& text) {
    const std::size_t at = static_cast<std::size_t>(below(static_cast<int>(text.size()) + 1));
    return chance(50) ? text.substr(0, at) : text.substr(at);
  }

  std::string piece() {
    static const std::vector<std::string> kText = {"a", "Zeile ", "\\par ", "\\PARD", "{", "}", "\\", "/", "\r\n",
                                                   "\xE4\xDF", ":", "\x11", "\r", "\n", "//"};
    switch (below(6)) {
      case 0:
      case 1: return kText[below(static_cast<int>(kText.size()))];
      case 2: return mixCase(placeholders_[below(static_cast<int>(placeholders_.size()))]);
      case 3: return cut(placeholders_[below(static_cast<int>(placeholders_.size()))]);
      case 4: return marker(chance(50));
      default: return cut(marker(chance(50)));
    }
  }

  std::string pieces(int most) {
    std::string text;
    for (int n = below(most + 1); n > 0; --n) text += piece();
    return text;
  }

  // Mostly plain words; now and then text that looks like the template language.
  std::string value() {
    if (chance(75)) return chance(20) ? std::string() : "w" + std::to_string(below(1000));
    return pieces(3);
  }

  std::string templateText() {
    std::string text = pieces(4);
    for (int blocks = below(4); blocks > 0; --blocks) {
      const std::string name(kBlockNames[below(7)]);
      text += chance(85) ? "/SCAN(" + name + ")/" : marker(false);
      if (chance(40)) text += "\\par\n";
      text += pieces(6);
      if (chance(85)) text += "/ENDSCAN(" + name + ")/";
      text += pieces(3);
    }
    return text;
  }

  std::string definitions() {
    std::vector<FieldList> entries;
    for (int n = below(4); n > 0; --n) entries.push_back(FieldList({"ITEM=" + value(), "VALUE=" + value()}));
    return ListToText(entries);
  }

  FieldList record(std::vector<std::string_view> keys) {
    FieldList r;
    for (std::string_view key : keys) r.setValue(key, value());
    return r;
  }

  void tree(RecordTree& tree, int most, const std::vector<std::string_view>& keys, bool findings) {
    std::vector<RecordNode*> nodes;
    for (int n = below(most + 1); n > 0; --n) {
      RecordNode* parent = nodes.empty() || chance(40) ? nullptr : nodes[below(static_cast<int>(nodes.size()))];
      FieldList r = record(keys);
      if (findings && chance(60)) {
        std::vector<FieldList> list;
        for (int f = below(3) + 1; f > 0; --f) {
          list.push_back(record({"NAME", "TYPE", "RISK", "OU", "EVIDENCE", "DESCRIPTION", "DEADLINE", "STATUS",
                                  "RESPONSE", "RESPONSIBLE", "DONE-AT"}));
        }
        r.setValue("FINDINGS", ListToText(list));
      }
      nodes.push_back(tree.append(parent, std::move(r)));
    }
  }

 private:
  std::mt19937 random_;
  std::vector<std::string> placeholders_;
};

struct WorkFile {
  RecordTree documents, structure;
  ReportInput input;
};

void Fill(Generator& g, WorkFile& w, int rows) {
  ReportInput& in = w.input;
  for (std::string* text : {&in.fileName, &in.createdBy, &in.createdAt, &in.savedBy, &in.savedAt, &in.currentDate,
                            &in.currentTime, &in.description}) {
    *text = g.value();
  }
  in.generalDefs = g.definitions();
  in.riskDefs = g.definitions();
  in.ouDefs = g.definitions();
  in.staffDefs = g.definitions();
  g.tree(w.documents, rows, {"ID", "NAME", "TYPE", "REFERENCE", "DESCRIPTION"}, false);
  g.tree(w.structure, rows,
         {"ID", "NAME", "RISK", "OU-X", "WORKSTATE", "DOCUMENTS", "DESCRIPTION", "RESULT", "PREPARED-BY",
          "PREPARED-AT", "REVIEWED-BY", "REVIEWED-AT", "REVIEW-NOTE"},
         true);
  in.documents = &w.documents;
  in.structure = &w.structure;
}

TEST(ReportDifferential, GeneratedTemplatesMatchTheLiteralOrder) {
  Generator g(20261210);
  for (int i = 0; i < 4000; ++i) {
    WorkFile w;
    Fill(g, w, i % 10 == 0 ? 40 : 6);
    const std::string templateText = g.templateText();
    const std::string expected = plain::ExpandTemplate(templateText, CollectReportSources(w.input));
    ASSERT_EQ(BuildReportText(templateText, w.input), expected) << "case " << i << ", template: " << templateText;
  }
}

// Many rows through bodies built to leave placeholders behind in older rows and at the
// seams between rows.
TEST(ReportDifferential, LongBlocksWithPlaceholdersLeftInOlderRows) {
  Generator g(7);
  const std::vector<std::string> bodies = {
      "NAME/ /VAR:DOCS:",              // a placeholder across two copies of the body
      "/VAR:DOCS:NAME/DESCRIPTION/|",  // completed by the template after a value
      "/VAR:DOCS:ID/=/VAR:DOCS:NAME/;",
      "/var:docs:type/ /VAR:DOCS:",
      "/v",
      "/VAR:DOCS:REF//VAR:DOCS:",
      "////",                                          // slashes only: nothing ever matches
      "/",
      "//VAR:DOCS:NAME//",
      "/VAR:DOCS:NAME/VAR:DOCS:NAME/VAR:DOCS:NAME/",  // matches sharing their slashes
      "/VAR:DOCS:TYPE-TEXT/VAR:DOCS:ID/",
  };
  const std::vector<std::string> names = {"x",      "/VAR:DOCS:ID/",   "/VAR:DOCS:", "NAME/", "/vAr:DoCs:ReF/",
                                          "/VAR:DOCS:NAME/", "/", "DESCRIPTION/", "VAR:DOCS:NAME/", "//",
                                          "/VAR:DOCS:TYPE-TEXT/"};
  for (const std::string& body : bodies) {
    for (int round = 0; round < 20; ++round) {
      SCOPED_TRACE(body);
      RecordTree documents;
      for (int i = 0; i < 60; ++i) {
        documents.append(nullptr, FieldList({"ID=" + std::to_string(i), "NAME=" + names[g.below(static_cast<int>(
                                                                             round < 5 ? 1 : names.size()))],
                                             "TYPE=t", "REFERENCE=" + names[g.below(static_cast<int>(names.size()))],
                                             "DESCRIPTION=d"}));
      }
      ReportInput input;
      input.documents = &documents;
      const std::string templateText = "<" + std::string("/SCAN(DOCUMENTS)/") + body + "/ENDSCAN(DOCUMENTS)/>";
      ASSERT_EQ(BuildReportText(templateText, input),
                plain::ExpandTemplate(templateText, CollectReportSources(input)));
    }
  }
}

}  // namespace
}  // namespace orvela
