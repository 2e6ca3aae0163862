#pragma once
// The large work file the benchmarks share: 20,000 items (chapters of 50) with three
// findings each, 2,000 documents, four definition lists and a description, all times
// `scale`.
#include <string>
#include <vector>

#include "BenchProse.h"
#include "model/DelimitedText.h"
#include "model/WorkFileData.h"
#include "model/srcGlobalDef.h"

namespace orvela::bench {

inline StampSource Stamps() {
  return {[] { return std::string("BENCH/pruefer"); }, [] { return LocalDateTime{2024, 12, 9, 14, 3, 5}; }};
}

inline void Fill(WorkFileData& data, int scale) {
  ResetWorkFileData(data, Stamps());
  data.description = "{\\rtf1\\ansi\\deff0 " + Prose(4000, 1) + "}";
  std::vector<FieldList> defs;
  for (int i = 0; i < 12; ++i) defs.push_back(FieldList({"ITEM=" + std::to_string(i), "VALUE=" + Prose(40, i)}));
  data.generalDefs = data.riskDefs = data.ouDefs = data.staffDefs = ListToText(defs);
  for (int i = 1; i <= 2000 * scale; ++i) {
    FieldList doc = NewDocumentRecord();
    doc.setValue(key::ID, std::to_string(i));
    doc.setValue(key::NAME, Prose(40, i));
    doc.setValue(key::REFERENCE, "/home/pruefer/Akten/2024/Beleg-" + std::to_string(i) + ".pdf");
    doc.setValue(key::TYPE, "Document");
    doc.setValue(key::DESCRIPTION, Prose(700, i));
    data.documents.append(nullptr, std::move(doc));
  }
  RecordNode* chapter = nullptr;
  for (int i = 0; i < 20000 * scale; ++i) {
    FieldList item = NewStructureItemRecord(data.lastItemId);
    item.setValue(key::NAME, Prose(50, i));
    item.setValue(key::RISK, "2 - mittel");
    item.setValue(key::OU_X, "\"E - Einkauf\",\"V - Vertrieb\"");
    item.setValue(key::WORKSTATE, "uncompleted");
    item.setValue(key::DESCRIPTION, Prose(400, i));
    item.setValue(key::RESULT, Prose(200, i + 7));
    item.setValue(key::DOCUMENTS, std::to_string(i % 2000 + 1));
    std::vector<FieldList> findings;
    for (int f = 0; f < 3; ++f) {
      FieldList finding = NewPanelFindingRecord();
      finding.setValue(key::TYPE, "1");
      finding.setValue(key::RISK, "2 - mittel");
      finding.setValue(key::OU, "\"E - Einkauf\"");
      finding.setValue(key::EVIDENCE, std::to_string(i % 2000 + 1));
      finding.setValue(key::DESCRIPTION, Prose(380, i + f));
      finding.setValue(key::DEADLINE, "31.03.2025");
      findings.push_back(std::move(finding));
    }
    item.setValue(key::FINDINGS, ListToText(findings));
    // Chapters of 50 items, each item under its chapter.
    RecordNode* node = data.structure.append(i % 50 == 0 ? nullptr : chapter, std::move(item));
    if (i % 50 == 0) chapter = node;
    node->expanded = i % 3 == 0;
  }
}

}  // namespace orvela::bench
