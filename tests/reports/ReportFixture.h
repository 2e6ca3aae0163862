#pragma once
// A small work file for report tests: definition lists, a documents register of three
// documents (one a sub-entry) and a structure of four items carrying three findings.
#include <string>
#include <vector>

#include "model/DelimitedText.h"
#include "model/FieldList.h"
#include "model/RecordTree.h"
#include "reports/engine/ReportInput.h"

namespace orvela::testing {

inline std::string ListOf(const std::vector<FieldList>& records) { return ListToText(records); }

struct ReportFixture {
  RecordTree documents;
  RecordTree structure;
  ReportInput input;

  ReportFixture() {
    input.fileName = "/home/anna/Pr\xFC" "fung {2026}.owp";
    input.createdBy = "PC1/anna";
    input.createdAt = "01.02.2026 09:00:00";
    input.savedBy = "PC1/bert";
    input.savedAt = "02.02.2026 17:45:10";
    input.currentDate = "10.12.2026";
    input.currentTime = "11:22:33";
    input.description = "Erste Zeile\r\nZweite \\ Zeile";
    input.generalDefs = ListOf({FieldList({"ITEM=Pr\xFC" "fer", "VALUE=Anna Muster"}),
                                FieldList({"ITEM=Ort", "VALUE=Bonn"})});
    input.riskDefs = ListOf({FieldList({"ITEM=H", "VALUE=hoch"}), FieldList({"ITEM=M", "VALUE=mittel"}),
                             FieldList({"ITEM=N", "VALUE=niedrig"})});
    input.staffDefs = ListOf({FieldList({"ITEM=AM", "VALUE=Anna {Muster}"})});

    RecordNode* contract = documents.append(nullptr, FieldList({"NAME=Vertrag", "REFERENCE=C:\\v.doc",
                                                                "TYPE=Document", "ID=1", "DESCRIPTION=Kopie"}));
    documents.append(contract, FieldList({"NAME=Anlage", "REFERENCE=http://x", "TYPE=Link", "ID=3"}));
    documents.append(nullptr, FieldList({"NAME=Notiz", "REFERENCE=<nicht definiert>", "TYPE=Description", "ID=2"}));

    const std::string gap = FieldList({"NAME=L\xFC" "cke", "TYPE=2", "RISK=H - hoch", "OU=\"A - Einkauf\"",
                                       "EVIDENCE=1", "DESCRIPTION=Fix {bald}", "DEADLINE=31.03.2027"})
                                .commaText();
    const std::string hint = FieldList({"NAME=Hinweis", "TYPE=1", "DEADLINE=01.01.1900"}).commaText();
    const std::string open = FieldList({"NAME=Offen", "TYPE="}).commaText();
    RecordNode* planning = structure.append(
        nullptr, FieldList({"ID=1", "NAME=Planung", "RISK=H - hoch", "OU-X=\"A - Einkauf\",\"B - Verkauf\"",
                            "WORKSTATE=completed", "DOCUMENTS=1,3", "DESCRIPTION=Plan", "RESULT=ok",
                            "FINDINGS=" + gap + '\x11' + hint}));
    structure.append(planning, FieldList({"ID=2", "NAME=Einkauf", "WORKSTATE=uncompleted", "FINDINGS=" + open}));
    structure.append(planning, FieldList({"ID=3", "NAME=Verkauf"}));
    structure.append(nullptr, FieldList({"ID=4", "NAME=Abschluss", "WORKSTATE=<nicht definiert>"}));

    input.documents = &documents;
    input.structure = &structure;
  }
};

}  // namespace orvela::testing
