#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "PlainReportEngine.h"
#include "ReportFixture.h"
#include "reports/engine/ReportEngine.h"
#include "reports/engine/RtfEscape.h"
#include "reports/engine/TemplateExpansion.h"

namespace orvela {
namespace {

using testing::ReportFixture;

struct Case {
  const char* name;
  std::string templateText;
  std::string expected;
  std::function<void(ReportFixture&)> change = {};
};

void SetFirstDocumentName(ReportFixture& f, const std::string& name) {
  f.documents.root().child(0)->record.setValue("NAME", name);
}

const Case kCases[] = {
    {"no placeholder", "{\\rtf1\\ansi Hallo\\par}", "{\\rtf1\\ansi Hallo\\par}"},
    {"every simple placeholder",
     "/VAR:FILENAME/|/VAR:USER-CREATED/|/VAR:DATE-CREATED/|/VAR:USER-LAST/|/VAR:DATE-LAST/|"
     "/VAR:CURRENT-DATE/|/VAR:CURRENT-TIME/|/VAR:DESCRIPTION/",
     "/home/anna/Pr\xFC" "fung \\{2026\\}.owp|PC1/anna|01.02.2026 09:00:00|PC1/bert|02.02.2026 17:45:10|"
     "10.12.2026|11:22:33|Erste Zeile\\line Zweite \\\\ Zeile"},
    {"simple placeholders in any letter case", "/var:filename/ /Var:Current-Date/ /VAR:FILENAME/",
     "/home/anna/Pr\xFC" "fung \\{2026\\}.owp 10.12.2026 /home/anna/Pr\xFC" "fung \\{2026\\}.owp"},
    {"unknown, misspelt and stray row placeholders stay", "/VAR:FILENAME /VAR:NOPE/ /VAR:DOCS:NAME/ /VAR:FINDINGS:NUM/",
     "/VAR:FILENAME /VAR:NOPE/ /VAR:DOCS:NAME/ /VAR:FINDINGS:NUM/"},
    {"general definitions in list order",
     "<\\b /SCAN(GENERAL-DEFS)/[/VAR:GENERAL-DEFS:ITEM/=/VAR:GENERAL-DEFS:VALUE/]/ENDSCAN(GENERAL-DEFS)/>",
     "<\\b [Pr\xFC" "fer=Anna Muster][Ort=Bonn]>"},
    {"risk definitions, one paragraph each, none empty before the first",
     "{\\rtf1 /SCAN(RISK-DEFINITIONS)/\\par\n/VAR:RISK-DEFS:VALUE/: /VAR:RISK-DEFS:DEFINITION/\\par\n"
     "/ENDSCAN(RISK-DEFINITIONS)/}",
     "{\\rtf1 \nH: hoch\\par\n\nM: mittel\\par\n\nN: niedrig\\par\n}"},
    {"staff definitions escaped",
     "/SCAN(STAFF-DEFINITIONS)//VAR:STAFF-DEFS:SHORTNAME/ /VAR:STAFF-DEFS:FULLNAME//ENDSCAN(STAFF-DEFINITIONS)/",
     "AM Anna \\{Muster\\}"},
    {"row placeholders in any letter case",
     "/SCAN(GENERAL-DEFS)//var:general-defs:item/,/ENDSCAN(GENERAL-DEFS)/", "Pr\xFC" "fer,Ort,"},
    {"simple placeholder inside a block is repeated",
     "/SCAN(GENERAL-DEFS)//VAR:current-date/;/ENDSCAN(GENERAL-DEFS)/", "10.12.2026;10.12.2026;"},
    {"empty block removed with its markers", "a/SCAN(OU-DEFINITIONS)/x/VAR:OU-DEFS:OU//ENDSCAN(OU-DEFINITIONS)/b",
     "ab"},
    {"empty block removed whatever the markers' case", "a/scan(ou-definitions)/x/EndScan(OU-Definitions)/b", "ab"},
    {"empty block without end marker removes the rest", "a/SCAN(OU-DEFINITIONS)/x\\par}", "a"},
    {"empty block with only an end marker stays", "a/ENDSCAN(OU-DEFINITIONS)/b", "a/ENDSCAN(OU-DEFINITIONS)/b"},
    {"work file without documents", "a/SCAN(DOCUMENTS)//VAR:DOCS:NAME//ENDSCAN(DOCUMENTS)/b", "ab",
     [](ReportFixture& f) { f.documents.clear(); }},
    {"wrong-case markers do not open a block", "/Scan(GENERAL-DEFS)/x/VAR:GENERAL-DEFS:ITEM//ENDSCAN(GENERAL-DEFS)/",
     "/Scan(GENERAL-DEFS)/x/VAR:GENERAL-DEFS:ITEM//ENDSCAN(GENERAL-DEFS)/"},
    {"block without end marker stays", "/SCAN(GENERAL-DEFS)//VAR:GENERAL-DEFS:ITEM/",
     "/SCAN(GENERAL-DEFS)//VAR:GENERAL-DEFS:ITEM/"},
    {"once opened, the first marker of any case counts",
     "/scan(GENERAL-DEFS)/A/SCAN(GENERAL-DEFS)/B/ENDSCAN(GENERAL-DEFS)/",
     "A/SCAN(GENERAL-DEFS)/BA/SCAN(GENERAL-DEFS)/B"},
    {"end marker before start marker", "/ENDSCAN(STAFF-DEFINITIONS)/x/SCAN(STAFF-DEFINITIONS)/y",
     "/ENDSCAN(STAFF-DEFINITIONS)/xx/SCAN(STAFF-DEFINITIONS)/y"},
    {"first paragraph mark removed, any case, only the first",
     "/SCAN(STAFF-DEFINITIONS)/\\PAR x\\par/ENDSCAN(STAFF-DEFINITIONS)/", " x\\par"},
    {"paragraph mark removed from a longer control word",
     "/SCAN(STAFF-DEFINITIONS)/\\pard /VAR:STAFF-DEFS:SHORTNAME//ENDSCAN(STAFF-DEFINITIONS)/", "d AM"},
    {"documents in tree order",
     "/SCAN(DOCUMENTS)//VAR:DOCS:NUM/:/VAR:DOCS:ID/|/VAR:DOCS:NAME/|/VAR:DOCS:TYPE/|/VAR:DOCS:REF/|"
     "/VAR:DOCS:DESCRIPTION/;/ENDSCAN(DOCUMENTS)/",
     "1:1|Vertrag|Document|C:\\\\v.doc|Kopie;2:3|Anlage|Link|http://x|;3:2|Notiz|Description|<nicht definiert>|;"},
    {"findings rows",
     "/SCAN(FINDINGS)//VAR:FINDINGS:NUM/|/VAR:FINDINGS:ID/|/VAR:FINDINGS:NAME/|/VAR:FINDINGS:TYPE/|"
     "/VAR:FINDINGS:RISK/|/VAR:FINDINGS:OU/|/VAR:FINDINGS:EVIDENCE/|/VAR:FINDINGS:DEADLINE/|"
     "/VAR:FINDINGS:DESCRIPTION/;/ENDSCAN(FINDINGS)/",
     "1|1|L\xFC" "cke|Ma\xDFnahme|H - hoch|\"A - Einkauf\"|1|31.03.2027|Fix \\{bald\\};"
     "2|1|Hinweis|Empfehlung|||||;3|2|Offen|nicht definiert|||||;"},
    {"two blocks of the same name: only the first is expanded",
     "/SCAN(FINDINGS)/[/VAR:FINDINGS:NUM/]/ENDSCAN(FINDINGS)/ /SCAN(FINDINGS)/[/VAR:FINDINGS:NUM/]/ENDSCAN(FINDINGS)/",
     "[1][2][3] /SCAN(FINDINGS)/[/VAR:FINDINGS:NUM/]/ENDSCAN(FINDINGS)/"},
    {"structure in tree order with outline numbers",
     "/SCAN(STRUCTURE)//VAR:STRUCTURE:LEVEL/ /VAR:STRUCTURE:ID/|/VAR:STRUCTURE:NAME/|/VAR:STRUCTURE:RISK/|"
     "/VAR:STRUCTURE:OU/|/VAR:STRUCTURE:WORKSTATE/|/VAR:STRUCTURE:DOCUMENTS/|/VAR:STRUCTURE:DESCRIPTION/|"
     "/VAR:STRUCTURE:RESULT/;/ENDSCAN(STRUCTURE)/",
     "1 1|Planung|H - hoch|\"A - Einkauf\",\"B - Verkauf\"|completed|1,3|Plan|ok;"
     "1.1 2|Einkauf|||uncompleted|||;1.2 3|Verkauf||||||;2 4|Abschluss|||<nicht definiert>|||;"},
    {"documents inside the structure: every item carries the whole list",
     "/SCAN(STRUCTURE)//VAR:STRUCTURE:ID/:/SCAN(DOCUMENTS)//VAR:DOCS:ID//ENDSCAN(DOCUMENTS)/;/ENDSCAN(STRUCTURE)/",
     "1:132;2:132;3:132;4:132;"},
    // Inserted text is subject to every later replacement, like template text.
    {"value holding a later simple placeholder", "/VAR:USER-CREATED/ /VAR:USER-LAST/",
     "02.02.2026 17:45:10 /VAR:FILENAME/",
     [](ReportFixture& f) {
       f.input.createdBy = "/var:date-last/";
       f.input.savedBy = "/VAR:FILENAME/";
     }},
    {"value holding a block", "/VAR:DESCRIPTION/", "Pr\xFC" "fer;Ort;",
     [](ReportFixture& f) { f.input.description = "/SCAN(GENERAL-DEFS)//VAR:GENERAL-DEFS:ITEM/;/ENDSCAN(GENERAL-DEFS)/"; }},
    {"value holding an earlier row placeholder is filled by the next row",
     "/SCAN(STRUCTURE)//VAR:STRUCTURE:ID/=/VAR:STRUCTURE:NAME/;/ENDSCAN(STRUCTURE)/",
     "1=2;2=Einkauf;3=Verkauf;4=Abschluss;",
     [](ReportFixture& f) { f.structure.root().child(0)->record.setValue("NAME", "/VAR:STRUCTURE:ID/"); }},
    {"placeholder completed by the template after the value",
     "/SCAN(DOCUMENTS)//VAR:DOCS:NAME/DESCRIPTION/|/ENDSCAN(DOCUMENTS)/",
     "xKopie|AnlageDESCRIPTION/|NotizDESCRIPTION/|",
     [](ReportFixture& f) { SetFirstDocumentName(f, "x/vAr:DoCs:"); }},
    {"placeholder formed across two copies of the body", "/SCAN(DOCUMENTS)/NAME/ /VAR:DOCS:/ENDSCAN(DOCUMENTS)/",
     "NAME/ Anlage Notiz /VAR:DOCS:"},
    // Values as people read them.
    {"structure in readable forms",
     "/SCAN(STRUCTURE)//VAR:STRUCTURE:ID/|/VAR:STRUCTURE:WORKSTATE-TEXT/|/VAR:STRUCTURE:OU-TEXT/|"
     "/VAR:STRUCTURE:DOCUMENTS-TEXT/;/ENDSCAN(STRUCTURE)/",
     "1|vollst\xE4ndig bearbeitet|A - Einkauf, B - Verkauf|Vertrag, Anlage;2|unvollst\xE4ndig||;"
     "3|nicht definiert||;4|nicht definiert||;"},
    {"document IDs: first in register order, exact, unknown stays",
     "/SCAN(STRUCTURE)//VAR:STRUCTURE:DOCUMENTS-TEXT/;/ENDSCAN(STRUCTURE)/",
     "Notiz, 9, Anlage, 01, Notiz;;;;",
     [](ReportFixture& f) {
       f.documents.append(nullptr, FieldList({"ID=2", "NAME=Zweite Notiz"}));
       f.structure.root().child(0)->record.setValue("DOCUMENTS", "2,9,\"3\",01,2");
     }},
    {"findings in readable forms",
     "/SCAN(FINDINGS)//VAR:FINDINGS:OU-TEXT/|/VAR:FINDINGS:EVIDENCE-TEXT/;/ENDSCAN(FINDINGS)/",
     "A - Einkauf|Vertrag;|;|;"},
    {"document types in readable form", "/SCAN(DOCUMENTS)//VAR:DOCS:TYPE-TEXT/;/ENDSCAN(DOCUMENTS)/",
     "Dokument;Link;Beschreibung;nicht definiert;nicht definiert;",
     [](ReportFixture& f) {
       f.documents.append(nullptr, FieldList({"ID=4", "TYPE=document"}));
       f.documents.append(nullptr, FieldList({"ID=5", "TYPE=<nicht definiert>"}));
     }},
    {"readable forms are escaped and keep their lines",
     "/SCAN(STRUCTURE)//VAR:STRUCTURE:OU-TEXT/|/VAR:STRUCTURE:DOCUMENTS-TEXT/;/ENDSCAN(STRUCTURE)/",
     "\\{A\\}, B\\\\C|Ver\\line trag;|;|;|;",
     [](ReportFixture& f) {
       f.structure.root().child(0)->record.setValue("OU-X", "\"{A}\",B\\C");
       f.structure.root().child(0)->record.setValue("DOCUMENTS", "1");
       SetFirstDocumentName(f, "Ver\r\ntrag");
     }},
    {"readable placeholders come after the others of their row",
     "/SCAN(STRUCTURE)//VAR:STRUCTURE:NAME/;/ENDSCAN(STRUCTURE)/",
     "vollst\xE4ndig bearbeitet;Einkauf;Verkauf;Abschluss;",
     [](ReportFixture& f) { f.structure.root().child(0)->record.setValue("NAME", "/VAR:STRUCTURE:WORKSTATE-TEXT/"); }},
    {"line breaks of row values", "/SCAN(STRUCTURE)//VAR:STRUCTURE:DESCRIPTION/;/ENDSCAN(STRUCTURE)/",
     "a\\line b\\line c\\line d;;;;",
     [](ReportFixture& f) { f.structure.root().child(0)->record.setValue("DESCRIPTION", "a\r\nb\nc\rd"); }},
    // Sign-offs and the follow-up of findings.
    {"sign-offs of the structure",
     "/SCAN(STRUCTURE)//VAR:STRUCTURE:ID/|/VAR:STRUCTURE:PREPARED-BY/|/VAR:STRUCTURE:PREPARED-AT/|"
     "/VAR:STRUCTURE:REVIEWED-BY/|/VAR:STRUCTURE:REVIEWED-AT/|/VAR:STRUCTURE:REVIEW-NOTE/;/ENDSCAN(STRUCTURE)/",
     "1|PC1/anna|03.02.2026 10:00:00|PC1/bert|04.02.2026|Belege \\\\ \\{neu\\}\\line pr\xFC" "fen;2|PC1/anna||||;3|||||;"
     "4|||||;",
     [](ReportFixture& f) {
       FieldList& planning = f.structure.root().child(0)->record;
       planning.setValue("PREPARED-BY", "PC1/anna");
       planning.setValue("PREPARED-AT", "03.02.2026 10:00:00");
       planning.setValue("REVIEWED-BY", "PC1/bert");
       planning.setValue("REVIEWED-AT", "04.02.2026");
       planning.setValue("REVIEW-NOTE", "Belege \\ {neu}\r\npr\xFC" "fen");
       f.structure.root().child(0)->child(0)->record.setValue("PREPARED-BY", "PC1/anna");
     }},
    {"follow-up of findings",
     "/SCAN(FINDINGS)//VAR:FINDINGS:NUM/|/VAR:FINDINGS:STATUS/|/VAR:FINDINGS:STATUS-TEXT/|/VAR:FINDINGS:RESPONSE/|"
     "/VAR:FINDINGS:RESPONSIBLE/|/VAR:FINDINGS:DONE-AT/;/ENDSCAN(FINDINGS)/",
     "1|2|umgesetzt|Erledigt \\{ok\\}\\line Teil 2|M. M\xFCller|15.03.2027;2|0|offen|||;3|7|offen|||nie;",
     [](ReportFixture& f) {
       FieldList gap({"NAME=L\xFC" "cke", "STATUS=2", "RESPONSE=Erledigt {ok}\r\nTeil 2", "RESPONSIBLE=M. M\xFCller",
                      "DONE-AT=15.03.2027"});
       f.structure.root().child(0)->record.setValue(
           "FINDINGS", testing::ListOf({gap, FieldList({"NAME=Hinweis"})}));
       f.structure.root().child(0)->child(0)->record.setValue(
           "FINDINGS", testing::ListOf({FieldList({"NAME=Offen", "STATUS=7", "DONE-AT=nie"})}));
     }},
    {"follow-up placeholders come after the others of their row",
     "/SCAN(FINDINGS)//VAR:FINDINGS:RESPONSIBLE/|/VAR:FINDINGS:NAME/;/ENDSCAN(FINDINGS)/",
     "Hinweis|x;|Hinweis;|Offen;",
     [](ReportFixture& f) {
       f.structure.root().child(0)->record.setValue(
           "FINDINGS", testing::ListOf({FieldList({"NAME=x", "RESPONSIBLE=/VAR:FINDINGS:NAME/"}),
                                        FieldList({"NAME=Hinweis"})}));
     }},
    {"review note after the other structure placeholders",
     "/SCAN(STRUCTURE)//VAR:STRUCTURE:REVIEW-NOTE/ /VAR:STRUCTURE:REVIEWED-BY/;/ENDSCAN(STRUCTURE)/",
     " ; ; ;/VAR:STRUCTURE:ID/ ;",
     [](ReportFixture& f) {
       // A note holding a placeholder replaced before it is filled by the next row; in the
       // last row it stays.
       f.structure.root().child(0)->record.setValue("REVIEW-NOTE", "/VAR:STRUCTURE:REVIEWED-BY/");
       f.structure.root().child(1)->record.setValue("REVIEW-NOTE", "/VAR:STRUCTURE:ID/");
     }},
    {"definition entries read as fields",
     "/SCAN(GENERAL-DEFS)/[/VAR:GENERAL-DEFS:ITEM/=/VAR:GENERAL-DEFS:VALUE/]/ENDSCAN(GENERAL-DEFS)/",
     "[Ort, Raum=Pr\xFC" "fung \"Einkauf 2026\", Teil 1][b=a][=][nur=]",
     [](ReportFixture& f) {
       f.input.generalDefs = testing::ListOf({FieldList({"ITEM=Ort, Raum", "VALUE=Pr\xFC" "fung \"Einkauf 2026\", Teil 1"}),
                                              FieldList({"VALUE=a", "ITEM=b"}), FieldList(), FieldList({"ITEM=nur"})});
     }},
};

TEST(ReportEngine, TemplatesGiveTheirReports) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    ReportFixture fixture;
    if (c.change) c.change(fixture);
    EXPECT_EQ(BuildReportText(c.templateText, fixture.input), c.expected);
    // The expectations follow the replacement order literally, as the reference does.
    EXPECT_EQ(plain::ExpandTemplate(c.templateText, CollectReportSources(fixture.input)), c.expected);
  }
}

TEST(ReportEngine, OutlineNumbersOfDeeperTrees) {
  RecordTree structure;
  for (int i = 1; i <= 12; ++i) structure.append(nullptr, FieldList({"ID=" + std::to_string(i)}));
  RecordNode* twelfth = structure.root().child(11);
  for (int i = 0; i < 3; ++i) structure.append(twelfth, FieldList());
  structure.append(twelfth->child(2), FieldList());
  ReportInput input;
  input.structure = &structure;
  EXPECT_EQ(BuildReportText("/SCAN(STRUCTURE)//VAR:STRUCTURE:LEVEL/ /ENDSCAN(STRUCTURE)/", input),
            "1 2 3 4 5 6 7 8 9 10 11 12 12.1 12.2 12.3 12.3.1 ");
}

TEST(ReportEngine, EmptyWorkFileRemovesEveryBlock) {
  ReportInput input;
  std::string templateText;
  for (const char* name : {"GENERAL-DEFS", "RISK-DEFINITIONS", "OU-DEFINITIONS", "STAFF-DEFINITIONS", "DOCUMENTS",
                           "FINDINGS", "STRUCTURE"}) {
    templateText += std::string("<") + name + "/SCAN(" + name + ")/x/ENDSCAN(" + name + ")/>";
  }
  EXPECT_EQ(BuildReportText(templateText, input),
            "<GENERAL-DEFS><RISK-DEFINITIONS><OU-DEFINITIONS><STAFF-DEFINITIONS><DOCUMENTS><FINDINGS><STRUCTURE>");
}

TEST(ReportEngine, DefinitionListsSplitAtDc1) {
  // An empty piece between two separators is an entry with empty fields; a trailing
  // separator adds none.
  ReportInput input;
  input.ouDefs = "ITEM=A,VALUE=1\x11\x11ITEM=B,VALUE=2\x11";
  EXPECT_EQ(BuildReportText("/SCAN(OU-DEFINITIONS)/[/VAR:OU-DEFS:OU/:/VAR:OU-DEFS:NAME/]/ENDSCAN(OU-DEFINITIONS)/",
                            input),
            "[A:1][:][B:2]");
}

TEST(ReportEngine, BuildsRowsOnlyForBlocksTheTemplateHolds) {
  const struct {
    const char* templateText;
    std::vector<std::string> built;
  } cases[] = {
      {"{\\rtf1 /VAR:FILENAME/ /VAR:DOCS:NAME/ /ENDSCAN(DOCUMENTS)/}", {}},
      {"/scan(documents)/x/ENDSCAN(DOCUMENTS)/ /SCAN(STRUCTURE)//ENDSCAN(STRUCTURE)/", {"DOCUMENTS", "STRUCTURE"}},
      // A marker brought in by a value counts like one of the template.
      {"/VAR:DESCRIPTION/", {"STAFF-DEFINITIONS"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.templateText);
    ReportFixture fixture;
    fixture.input.description = "/SCAN(STAFF-DEFINITIONS)/";
    ReportSources sources = CollectReportSources(fixture.input);
    std::vector<std::string> built;
    for (ReportBlock& block : sources.blocks) {
      block.rows = [&built, name = block.name, rows = block.rows] {
        built.emplace_back(name);
        return rows();
      };
    }
    ExpandTemplate(c.templateText, sources);
    EXPECT_EQ(built, c.built);
  }
}

TEST(RtfEscape, EscapesBracesAndBackslashesAndMakesLineBreaksLines) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\\b{c}d", "a\\\\b\\{c\\}d"},
      {"\\}", "\\\\\\}"},
      {"", ""},
      {"\xE4\xDF \"x\" <nicht definiert>", "\xE4\xDF \"x\" <nicht definiert>"},
      // CR LF, a lone CR and a lone LF are one line break each; the blank ends the word.
      {"Zeile\r\nZeile", "Zeile\\line Zeile"},
      {"a\rb\nc\n\rd", "a\\line b\\line c\\line \\line d"},
      {"\r\n\r\n", "\\line \\line "},
      {"x\\\r\n{", "x\\\\\\line \\{"},
  };
  for (const auto& [value, escaped] : cases) EXPECT_EQ(RtfEscape(value), escaped) << value;
}

}  // namespace
}  // namespace orvela
