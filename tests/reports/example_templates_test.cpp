// The example report templates of examples/reports: every placeholder and block marker
// reached the RTF as one unbroken run, and each template, filled from a realistic work
// file, shows the work file's values in its tables — read back by the program's own RTF
// reader and, where LibreOffice is installed, by LibreOffice.
#include "../TestRequirements.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "model/Cp1252.h"
#include "model/DelimitedText.h"
#include "model/FieldList.h"
#include "model/TextUtils.h"
#include "model/WorkFileData.h"
#include "reports/engine/ReportEngine.h"
#include "reports/engine/ReportInputBuilder.h"
#include "reports/engine/ReportSources.h"
#include "rtf/PlainText.h"
#include "rtf/RtfReader.h"

namespace orvela {
namespace {

namespace fs = std::filesystem;

const fs::path kTemplateDir = fs::path(ORVELA_SOURCE_DIR) / "examples" / "reports";

struct TemplateCase {
  const char* file;
  std::vector<std::string> blocks;  // the blocks the template is made of
};

const std::vector<TemplateCase>& Templates() {
  static const std::vector<TemplateCase> cases = {
      {"Pruefbericht.rtf",
       {"GENERAL-DEFS", "STAFF-DEFINITIONS", "OU-DEFINITIONS", "RISK-DEFINITIONS", "STRUCTURE", "FINDINGS"}},
      {"Feststellungsliste.rtf", {"GENERAL-DEFS", "FINDINGS", "RISK-DEFINITIONS"}},
      {"Dokumentenverzeichnis.rtf", {"DOCUMENTS", "STRUCTURE"}},
      {"Pruefungsnachweis.rtf", {"GENERAL-DEFS", "STRUCTURE"}},
  };
  return cases;
}

// Windows-1252 text from a UTF-8 literal, so that the cases below read naturally.
std::string W(std::string_view utf8) {
  std::string out;
  if (!Utf8ToCp1252(utf8, out)) ADD_FAILURE() << "not Windows-1252: " << utf8;
  return out;
}

std::string Finding(const std::vector<std::string>& utf8Lines) {
  std::vector<std::string> lines;
  for (const std::string& line : utf8Lines) lines.push_back(W(line));
  return FieldList(lines).commaText();
}

FieldList Record(const std::vector<std::string>& utf8Lines) {
  std::vector<std::string> lines;
  for (const std::string& line : utf8Lines) lines.push_back(W(line));
  return FieldList(lines);
}

std::string Definitions(const std::vector<std::pair<std::string, std::string>>& entries) {
  std::vector<FieldList> records;
  for (const auto& [item, value] : entries) records.push_back(Record({"ITEM=" + item, "VALUE=" + value}));
  return ListToText(records);
}

// A travel-expense audit as a department would keep it: definition lists, a nested
// documents register and a structure of two levels whose items carry findings. Values
// hold umlauts, quotes and the RTF special characters, so that escaping shows.
void FillAudit(WorkFileData& data) {
  data.fileName = "/home/pruefer/Pr\xC3\xBC" "fungen/IR-2026-11.owp";  // UTF-8 path
  data.createdBy = "PC07/becker";
  data.createdAt = "02.03.2026 08:15:00";
  data.savedBy = "PC07/doerr";
  data.savedAt = "14.04.2026 17:02:41";
  data.generalDefs = Definitions({{"Prüfungsnummer", "IR-2026-11"},
                                  {"Prüfungsthema", "Reisekostenabrechnung"},
                                  {"Geprüfte Einheit", "Personalabteilung"},
                                  {"Prüfungszeitraum", "01.01.2025 bis 31.12.2025"}});
  data.riskDefs = Definitions({{"1", "gering"}, {"2", "mittel"}, {"3", "hoch"}});
  data.ouDefs = Definitions({{"PA", "Personalabteilung"}, {"RW", "Rechnungswesen"}});
  data.staffDefs = Definitions({{"AB", "Anna Becker (Prüfungsleitung)"}, {"CD", "Carl Dörr"}});
  data.description = W("Prüfung der Reisekostenabrechnung 2025.");

  RecordNode* policy = data.documents.append(
      nullptr, Record({"ID=1", "NAME=Reisekostenrichtlinie 2025", "TYPE=Document",
                       "REFERENCE=%HOME%/Pruefung/Reisekostenrichtlinie.pdf", "DESCRIPTION=Fassung vom 01.01.2025"}));
  data.documents.append(policy, Record({"ID=3", "NAME=Auswertung {Stichprobe}", "TYPE=Document",
                                        "REFERENCE=C:\\Pruefung\\Auswertung.xlsx", "DESCRIPTION=Belege 1 bis 40"}));
  data.documents.append(nullptr, Record({"ID=2", "NAME=Intranet-Formulare", "TYPE=Link",
                                         "REFERENCE=https://intranet.example.org/reisen"}));

  RecordNode* planning = data.structure.append(
      nullptr, Record({"ID=1", "NAME=Prüfungsplanung", "WORKSTATE=completed", "DESCRIPTION=Auftrag klären",
                       "PREPARED-BY=PC07/becker", "PREPARED-AT=03.03.2026 10:00:00", "REVIEWED-BY=PC07/doerr",
                       "REVIEWED-AT=05.03.2026 16:30:00"}));
  data.structure.append(planning, Record({"ID=2", "NAME=Prüfungsauftrag", "WORKSTATE=completed", "DOCUMENTS=1",
                                          "RESULT=Auftrag liegt vor", "PREPARED-BY=PC07/becker",
                                          "PREPARED-AT=03.03.2026"}));
  RecordNode* fieldwork = data.structure.append(nullptr, Record({"ID=3", "NAME=Prüfungsdurchführung"}));
  RecordNode* sample = data.structure.append(
      fieldwork, Record({"ID=4", "NAME=Stichprobe Reisekosten", "RISK=3 - hoch", "OU-X=\"PA - Personalabteilung\"",
                         "WORKSTATE=uncompleted", "DOCUMENTS=1,3", "DESCRIPTION=40 Abrechnungen geprüft",
                         "RESULT=Belege teils unvollständig", "PREPARED-BY=PC07/becker",
                         "PREPARED-AT=20.03.2026 11:12:13", "REVIEWED-BY=PC07/doerr", "REVIEWED-AT=25.03.2026",
                         "REVIEW-NOTE=Nachforderung {Belege}\r\nabwarten"}));
  sample->record.setValue(
      "FINDINGS", Finding({"NAME=Belege fehlen", "TYPE=2", "RISK=3 - hoch",
                           "OU=\"PA - Personalabteilung\",\"RW - Rechnungswesen\"", "EVIDENCE=3",
                           "DEADLINE=30.09.2026", "DESCRIPTION=Bei 6 von 40 Abrechnungen fehlen Originalbelege.",
                           "STATUS=2", "RESPONSIBLE=Frau Kühn (PA)", "RESPONSE=Belege werden nachgefordert.",
                           "DONE-AT=10.04.2026"}) +
                      '\x11' +
                      Finding({"NAME=Formular veraltet", "TYPE=1", "RISK=1 - gering",
                               "OU=\"PA - Personalabteilung\"", "EVIDENCE=2", "DEADLINE=01.01.1900",
                               "DESCRIPTION=Formular nennt Sätze von 2019.", "STATUS=3", "RESPONSIBLE=Herr Ölz",
                               "RESPONSE=Neues Formular im Intranet.", "DONE-AT=15.04.2026"}));
}

ReportInput AuditInput(const WorkFileData& data) {
  return BuildReportInput(data, [] { return LocalDateTime{2026, 4, 15, 9, 30, 0}; }).input;
}

std::string ReadTemplate(const TemplateCase& c) { return ReadWholeFile((kTemplateDir / c.file).string()); }

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Every table row of a document as the texts of its cells, nested tables included.
using CellTexts = std::vector<std::string>;

void CollectRows(const std::vector<rtf::Block>& blocks, std::vector<CellTexts>& rows) {
  for (const rtf::Block& block : blocks) {
    const auto* table = std::get_if<rtf::Table>(&block.content);
    if (!table) continue;
    for (const rtf::Row& row : table->rows) {
      CellTexts cells;
      for (const rtf::Cell& cell : row.cells) {
        rtf::Document inner;
        inner.blocks = cell.blocks;
        std::string text = rtf::PlainText(inner);
        std::replace(text.begin(), text.end(), '\r', ' ');
        text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
        cells.push_back(text);
        CollectRows(cell.blocks, rows);
      }
      rows.push_back(cells);
    }
  }
}

bool HasRow(const std::vector<CellTexts>& rows, const CellTexts& expected) {
  return std::find(rows.begin(), rows.end(), expected) != rows.end();
}

std::string Show(const std::vector<CellTexts>& rows) {
  std::string out;
  for (const CellTexts& row : rows) {
    for (const std::string& cell : row) out += "[" + cell + "]";
    out += "\n";
  }
  return out;
}

// The rows each report must show, UTF-8; the same for every reader.
struct ExpectedRows {
  const char* file;
  std::vector<CellTexts> rows;
};

const std::vector<ExpectedRows>& Expected() {
  static const std::vector<ExpectedRows> expected = {
      {"Pruefbericht.rtf",
       {
           {"Prüfungsnummer", "IR-2026-11"},
           {"AB", "Anna Becker (Prüfungsleitung)"},
           {"RW", "Rechnungswesen"},
           {"3", "hoch"},
           {"Risiko", "3 - hoch"},
           {"Bearbeitungsstand", "unvollständig"},
           {"Dokumente", "Reisekostenrichtlinie 2025, Auswertung {Stichprobe}"},
           {"1", "4", "Belege fehlen", "Maßnahme", "3 - hoch", "PA - Personalabteilung, RW - Rechnungswesen",
            "30.09.2026"},
           {"2", "4", "Formular veraltet", "Empfehlung", "1 - gering", "PA - Personalabteilung", ""},
       }},
      {"Feststellungsliste.rtf",
       {
           {"Prüfungsthema", "Reisekostenabrechnung"},
           {"1", "4", "Belege fehlen", "Maßnahme", "3 - hoch", "PA - Personalabteilung, RW - Rechnungswesen",
            "Auswertung {Stichprobe}", "30.09.2026", "Bei 6 von 40 Abrechnungen fehlen Originalbelege.",
            "umgesetzt Verantwortlich: Frau Kühn (PA) Belege werden nachgefordert. Umgesetzt am: 10.04.2026"},
           {"2", "4", "Formular veraltet", "Empfehlung", "1 - gering", "PA - Personalabteilung", "Intranet-Formulare", "",
            "Formular nennt Sätze von 2019.", "verifiziert Verantwortlich: Herr Ölz Neues Formular im Intranet. Umgesetzt am: 15.04.2026"},
           {"2", "mittel"},
       }},
      {"Dokumentenverzeichnis.rtf",
       {
           {"1", "1", "Reisekostenrichtlinie 2025", "Dokument", "%HOME%/Pruefung/Reisekostenrichtlinie.pdf",
            "Fassung vom 01.01.2025"},
           {"2", "3", "Auswertung {Stichprobe}", "Dokument", "C:\\Pruefung\\Auswertung.xlsx", "Belege 1 bis 40"},
           {"3", "2", "Intranet-Formulare", "Link", "https://intranet.example.org/reisen", ""},
           {"2.1", "Stichprobe Reisekosten", "Reisekostenrichtlinie 2025, Auswertung {Stichprobe}"},
           {"1", "Prüfungsplanung", ""},
       }},
      {"Pruefungsnachweis.rtf",
       {
           {"Prüfungsthema", "Reisekostenabrechnung"},
           {"1", "Prüfungsplanung", "vollständig bearbeitet", "PC07/becker", "03.03.2026 10:00:00", "PC07/doerr",
            "05.03.2026 16:30:00", ""},
           {"1.1", "Prüfungsauftrag", "vollständig bearbeitet", "PC07/becker", "03.03.2026", "", "", ""},
           {"2", "Prüfungsdurchführung", "nicht definiert", "", "", "", "", ""},
           {"2.1", "Stichprobe Reisekosten", "unvollständig", "PC07/becker", "20.03.2026 11:12:13", "PC07/doerr",
            "25.03.2026", "Nachforderung {Belege} abwarten"},
       }},
  };
  return expected;
}

std::string Report(const TemplateCase& c) {
  static WorkFileData data;
  static const bool filled = (FillAudit(data), true);
  (void)filled;
  return BuildReportText(ReadTemplate(c), AuditInput(data));
}

TEST(ExampleTemplates, PlaceholdersAndMarkersAreUnbrokenRuns) {
  // Everything the engine knows, taken from the engine itself.
  const ReportSources sources = CollectReportSources(ReportInput{});
  std::set<std::string> simple;
  for (const SimplePlaceholder& s : sources.simple) simple.insert(std::string(s.placeholder));
  std::map<std::string, const ReportBlock*> blocks;
  for (const ReportBlock& b : sources.blocks) blocks[std::string(b.name)] = &b;

  for (const TemplateCase& c : Templates()) {
    SCOPED_TRACE(c.file);
    const std::string text = ReadTemplate(c);
    ASSERT_TRUE(rtf::IsRtf(text));

    // A placeholder or marker split by formatting codes leaves a fragment: every "/VAR:"
    // and every "SCAN(" must begin a complete one.
    const std::regex var(R"(/VAR:[A-Z:-]+/)");
    std::size_t complete = 0;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), var); it != std::sregex_iterator(); ++it) {
      const std::string found = it->str();
      bool known = simple.count(found) > 0;
      for (const auto& [name, block] : blocks)
        for (std::string_view p : block->placeholders) known = known || p == found;
      EXPECT_TRUE(known) << found;
      ++complete;
    }
    EXPECT_EQ(complete, Count(text, "/VAR:"));
    EXPECT_GT(complete, 0u);

    std::size_t markers = 0;
    for (const std::string& name : c.blocks) {
      SCOPED_TRACE(name);
      ASSERT_TRUE(blocks.count(name));
      const ReportBlock& block = *blocks.at(name);
      const std::size_t start = text.find(block.startMarker());
      const std::size_t end = text.find(block.endMarker());
      ASSERT_NE(start, std::string::npos);
      ASSERT_NE(end, std::string::npos);
      EXPECT_LT(start, end);
      // Each block once: a second one of the same name would stay unexpanded.
      EXPECT_EQ(Count(text, block.startMarker()), 1u);
      EXPECT_EQ(Count(text, block.endMarker()), 1u);
      markers += 2;
      // The block's row placeholders stand between its markers, and at least one does.
      std::size_t inside = 0;
      for (std::string_view p : block.placeholders) {
        for (std::size_t at = text.find(p); at != std::string::npos; at = text.find(p, at + 1)) {
          EXPECT_TRUE(at > start && at < end) << p;
          ++inside;
        }
      }
      EXPECT_GT(inside, 0u);
    }
    EXPECT_EQ(Count(text, "SCAN("), markers);
  }
}

TEST(ExampleTemplates, FilledReportShowsTheWorkFileInItsTables) {
  for (const TemplateCase& c : Templates()) {
    SCOPED_TRACE(c.file);
    const std::string report = Report(c);
    EXPECT_EQ(report.find("/VAR:"), std::string::npos);
    EXPECT_EQ(report.find("SCAN("), std::string::npos);

    std::vector<CellTexts> rows;
    CollectRows(rtf::ReadRtf(report).blocks, rows);
    const auto expected = std::find_if(Expected().begin(), Expected().end(),
                                       [&](const ExpectedRows& e) { return std::string(e.file) == c.file; });
    ASSERT_NE(expected, Expected().end());
    for (const CellTexts& row : expected->rows) EXPECT_TRUE(HasRow(rows, row)) << Show({row}) << "in\n" << Show(rows);
  }
}

TEST(ExampleTemplates, RowsFollowTheHeaderRowWithoutAGap) {
  // The block markers stand in paragraphs of their own between the header row and the
  // row that repeats; once expanded, header and rows must form one table.
  const std::string report = Report(Templates()[1]);
  const rtf::Document document = rtf::ReadRtf(report);
  bool found = false;
  for (const rtf::Block& block : document.blocks) {
    const auto* table = std::get_if<rtf::Table>(&block.content);
    if (!table || table->rows.size() != 3) continue;
    std::vector<CellTexts> rows;
    CollectRows({block}, rows);
    found = found || (rows[0][0] == "Nr." && rows[1][0] == "1" && rows[2][0] == "2");
  }
  EXPECT_TRUE(found) << Show([&] {
    std::vector<CellTexts> rows;
    CollectRows(document.blocks, rows);
    return rows;
  }());
}

// LibreOffice as a second, independent reader of the reports: each report is converted
// to HTML and its table rows compared with the same expectations.

bool HaveSoffice() { return std::system("command -v soffice >/dev/null 2>&1") == 0; }

std::string DecodeHtml(std::string text) {
  static const std::regex tags("<[^>]*>");
  text = std::regex_replace(text, tags, "");
  const std::pair<const char*, const char*> entities[] = {
      {"&quot;", "\""}, {"&lt;", "<"}, {"&gt;", ">"}, {"&#39;", "'"}, {"&nbsp;", " "}, {"&amp;", "&"}};
  for (const auto& [from, to] : entities) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
      text.replace(at, std::string_view(from).size(), to), at += std::string_view(to).size();
  }
  static const std::regex space(R"(\s+)");
  text = std::regex_replace(text, space, " ");
  if (!text.empty() && text.front() == ' ') text.erase(0, 1);
  if (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::vector<CellTexts> HtmlRows(const std::string& html) {
  std::vector<CellTexts> rows;
  static const std::regex row(R"(<tr[^>]*>([\s\S]*?)</tr>)", std::regex::icase);
  static const std::regex cell(R"(<t[dh][^>]*>([\s\S]*?)</t[dh]>)", std::regex::icase);
  for (auto r = std::sregex_iterator(html.begin(), html.end(), row); r != std::sregex_iterator(); ++r) {
    const std::string inner = (*r)[1].str();
    CellTexts cells;
    for (auto c = std::sregex_iterator(inner.begin(), inner.end(), cell); c != std::sregex_iterator(); ++c)
      cells.push_back(DecodeHtml((*c)[1].str()));
    rows.push_back(cells);
  }
  return rows;
}

TEST(ExampleTemplates, LibreOfficeShowsTheWorkFileInTheTables) {
  ORVELA_REQUIRE(HaveSoffice(), "LibreOffice (soffice)");
  const fs::path dir = fs::temp_directory_path() / ("orvela-templates-" + std::to_string(::getpid()));
  fs::create_directories(dir / "out");
  std::string files;
  for (const TemplateCase& c : Templates()) {
    WriteWholeFile((dir / c.file).string(), Report(c));
    files += " '" + (dir / c.file).string() + "'";
  }
  // A profile of its own, so that a LibreOffice the user has open is not disturbed.
  const std::string command = "soffice '-env:UserInstallation=file://" + (dir / "profile").string() +
                              "' --headless --convert-to html --outdir '" + (dir / "out").string() + "'" + files +
                              " >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  for (const ExpectedRows& expected : Expected()) {
    SCOPED_TRACE(expected.file);
    const fs::path html = dir / "out" / fs::path(expected.file).replace_extension(".html");
    ASSERT_TRUE(fs::exists(html));
    const std::vector<CellTexts> rows = HtmlRows(ReadWholeFile(html.string()));
    for (const CellTexts& row : expected.rows) EXPECT_TRUE(HasRow(rows, row)) << Show({row}) << "in\n" << Show(rows);
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace orvela
