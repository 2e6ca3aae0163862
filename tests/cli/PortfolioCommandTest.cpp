// findings and stats over a folder of work files: nested folders, a damaged file and an
// .owp file that is no work file among them.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "../storage/StorageTestSupport.h"
#include "CliTestSupport.h"
#include "cli/CliApp.h"
#include "cli/FindingsCommand.h"
#include "cli/StatsCommand.h"
#include "model/TextUtils.h"
#include "storage/WorkFileStorage.h"

namespace orvela::cli {
namespace {

constexpr CommandRegistration kCommands[] = {RegisterFindingsCommand, RegisterStatsCommand};

using test::CliRun;
CliRun Cli(const std::vector<std::string>& args) { return test::RunCommands(kCommands, args); }

std::string Finding(const std::vector<std::string>& lines) { return FieldList(lines).commaText(); }

// Audit "A-1": "Planung" with two findings, under it "Interviews" with one; "Bericht" without.
// The second finding's description holds the separators, a quote and a line break; the
// third has its follow-up.
void FillAudit(WorkFileData& d, const std::string& number) {
  ResetWorkFileData(d, test::FixedStamps());
  d.generalDefs = FieldList({"ITEM=Pr\xFC" "fer", "VALUE=Muster"}).commaText() + "\x11" +
                  FieldList({"ITEM=Pr\xFC" "fungsnummer", "VALUE=" + number}).commaText();
  RecordNode* planning = d.structure.append(
      nullptr, FieldList({"ID=7", "NAME=Planung", "WORKSTATE=completed",
                          "FINDINGS=" + Finding({"NAME=Auftrag fehlt", "TYPE=2", "RISK=3 - hoch",
                                                 "OU=\"EK - Einkauf\",\"KB - Kreditoren\"", "DEADLINE=1.2.2027"}) +
                              "\x11" +
                              Finding({"NAME=Gr\xF6\xDF" "e", "TYPE=1", "DEADLINE=01.01.1900",
                                       "DESCRIPTION=a;b,c \"d\"\r\nZeile 2"})}));
  d.structure.append(planning, FieldList({"ID=9", "NAME=Interviews", "WORKSTATE=uncompleted",
                                          "FINDINGS=" + Finding({"NAME=Protokoll", "DEADLINE=15.03.2026", "STATUS=2",
                                                                 "RESPONSIBLE=Frau K\xFChn", "DONE-AT=2.4.2026"})}));
  d.structure.append(nullptr, FieldList({"ID=3", "NAME=Bericht"}));
  d.documents.append(nullptr, FieldList({"NAME=Beleg", "ID=1"}));
}

class Portfolio : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::string root, first, second, damaged, notWork;

  void SetUp() override {
    namespace fs = std::filesystem;
    root = dir.file("audits");
    fs::create_directories(root + "/2026/q1");
    first = root + "/2026/a.owp";
    second = root + "/2026/q1/b.OWP";
    damaged = root + "/2026/q1/c.owp";
    notWork = root + "/notes.owp";
    for (const std::string* path : {&first, &second, &damaged}) {
      WorkFileData d;
      FillAudit(d, path == &first ? "A-1" : "B-2");
      ASSERT_TRUE(SaveWorkFile(d, *path, test::FixedStamps()).ok);
    }
    std::string content = ReadWholeFile(damaged);
    content[content.find("Planung")] = 'p';
    WriteWholeFile(damaged, content);
    WriteWholeFile(notWork, "Notizen zur Pr\xC3\xBC" "fung\n");
    WriteWholeFile(root + "/2026/liste.txt", "kein Arbeitspapier");
  }

  void expectSkipReports(const CliRun& r) const {
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find(damaged + ": Die Datei ist besch\xC3\xA4" "digt"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(notWork + ": Die gew\xC3\xA4hlte Datei ist keine Orvela-WP Datei!"), std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("liste.txt"), std::string::npos);
  }
};

const char* const kHeader = "file;audit;outline;item_id;item_name;finding_no;name;type;risk;ou;evidence;deadline;description;status;"
    "responsible;done_at\r\n";

TEST_F(Portfolio, SpreadsheetCsvByExtension) {
  const std::string out = dir.file("f.csv");
  const CliRun r = Cli({"findings", root, "-o", out});
  expectSkipReports(r);
  const std::string expected =
      std::string("\xEF\xBB\xBF") + kHeader + first +
      ";A-1;1;1;Planung;1;Auftrag fehlt;2;3 - hoch;\"\"\"EK - Einkauf\"\",\"\"KB - Kreditoren\"\"\";;01.02.2027;;0;;\r\n" +
      first + ";A-1;1;1;Planung;2;Gr\xC3\xB6\xC3\x9F" "e;1;;;;;\"a;b,c \"\"d\"\"\r\nZeile 2\";0;;\r\n" + first +
      ";A-1;1.1;2;Interviews;1;Protokoll;;;;;15.03.2026;;2;Frau K\xC3\xBChn;02.04.2026\r\n";
  const std::string text = ReadWholeFile(out);
  ASSERT_EQ(text.substr(0, expected.size()), expected);
  // The second file follows with its own audit number; files in path order.
  EXPECT_EQ(text.substr(expected.size(), second.size() + 5), second + ";B-2;");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1 + 6 + 2);  // header, six rows, a break inside each file's rows
}

TEST_F(Portfolio, ToolCsvWhenFormatIsGiven) {
  const std::string out = dir.file("f.csv");
  const CliRun r = Cli({"findings", first, "--format", "csv", "-o", out});
  EXPECT_EQ(r.code, 0) << r.err;
  const std::string text = ReadWholeFile(out);
  EXPECT_TRUE(text.starts_with("file,audit,outline,item_id,"));
  EXPECT_NE(text.find(first + ",A-1,1,1,Planung,2,Gr\xC3\xB6\xC3\x9F" "e,1,,,,,\"a;b,c \"\"d\"\"\r\nZeile 2\",0,,\r\n"),
            std::string::npos);
}

TEST_F(Portfolio, JsonArrayOfObjects) {
  const std::string out = dir.file("f.json");
  expectSkipReports(Cli({"findings", root, "--format", "json", "-o", out}));
  const auto rows = nlohmann::ordered_json::parse(ReadWholeFile(out));
  ASSERT_EQ(rows.size(), 6u);
  const auto& row = rows[1];
  std::vector<std::string> keys;
  for (auto it = row.begin(); it != row.end(); ++it) keys.push_back(it.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"file", "audit", "outline", "item_id", "item_name", "finding_no", "name",
                                            "type", "risk", "ou", "evidence", "deadline", "description", "status",
                                            "responsible", "done_at"}));
  EXPECT_EQ(row["file"], first);
  EXPECT_EQ(row["item_id"], 1);
  EXPECT_EQ(row["finding_no"], 2);
  EXPECT_EQ(row["name"], "Gr\xC3\xB6\xC3\x9F" "e");
  EXPECT_EQ(row["description"], "a;b,c \"d\"\r\nZeile 2");
  EXPECT_EQ(rows[2]["outline"], "1.1");
  EXPECT_EQ(rows[3]["audit"], "B-2");
}

// An audit number with quotes and a comma comes out whole, not cut at its first quote.
TEST_F(Portfolio, AuditNumberWithQuotesAndComma) {
  WorkFileData d;
  FillAudit(d, "E \"Einkauf 2026\", Teil 1");
  const std::string path = dir.file("quoted.owp"), out = dir.file("quoted.json");
  ASSERT_TRUE(SaveWorkFile(d, path, test::FixedStamps()).ok);
  ASSERT_EQ(Cli({"findings", path, "--format", "json", "-o", out}).code, 0);
  const auto rows = nlohmann::ordered_json::parse(ReadWholeFile(out));
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0]["audit"], "E \"Einkauf 2026\", Teil 1");
}

// Rows of a query, each as its columns' texts ("NULL" for null).
std::vector<std::string> Query(sqlite3* db, const std::string& sql) {
  sqlite3_stmt* s = nullptr;
  EXPECT_EQ(sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  std::vector<std::string> rows;
  while (s && sqlite3_step(s) == SQLITE_ROW) {
    std::string row;
    for (int c = 0; c < sqlite3_column_count(s); ++c) {
      const auto* text = sqlite3_column_text(s, c);
      row += (c ? "|" : "") + (text ? std::string(reinterpret_cast<const char*>(text)) : std::string("NULL"));
    }
    rows.push_back(row);
  }
  sqlite3_finalize(s);
  return rows;
}

TEST_F(Portfolio, SqliteDatabase) {
  const std::string out = dir.file("portfolio.sqlite");
  WriteWholeFile(out, "an older export");  // replaced
  expectSkipReports(Cli({"findings", root, "-o", out}));
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2(out.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  using Rows = std::vector<std::string>;
  EXPECT_EQ(Query(db, "SELECT file, audit, created_by, saved_at, items, findings FROM audits"),
            (Rows{first + "|A-1|HOST/pruefer|09.12.2024 14:03:05|3|3", second + "|B-2|HOST/pruefer|09.12.2024 14:03:05|3|3"}));
  EXPECT_EQ(Query(db, "SELECT outline, id, parent_outline, name, workstate FROM items WHERE file = '" + first + "'"),
            (Rows{"1|1||Planung|completed", "1.1|2|1|Interviews|uncompleted", "2|3||Bericht|"}));
  // Dates sort as yyyy-mm-dd; a finding without deadline has none.
  EXPECT_EQ(Query(db, "SELECT deadline, name, typeof(finding_no) FROM findings WHERE file = '" + first +
                          "' ORDER BY deadline"),
            (Rows{"NULL|Gr\xC3\xB6\xC3\x9F" "e|integer", "2026-03-15|Protokoll|integer", "2027-02-01|Auftrag fehlt|integer"}));
  EXPECT_EQ(Query(db, "SELECT ou, count(*) FROM finding_units GROUP BY ou ORDER BY ou"),
            (Rows{"EK - Einkauf|2", "KB - Kreditoren|2"}));
  EXPECT_EQ(Query(db, "SELECT name FROM sqlite_master WHERE type = 'index' AND name LIKE 'findings_%' ORDER BY name"),
            (Rows{"findings_deadline", "findings_file"}));
  sqlite3_close(db);
}

TEST_F(Portfolio, NoCheckReadsTheDamagedFile) {
  const std::string out = dir.file("f.json");
  const CliRun r = Cli({"findings", first, damaged, "--no-check", "--format", "json", "-o", out});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(nlohmann::json::parse(ReadWholeFile(out)).size(), 6u);
}

TEST_F(Portfolio, ProblemsOfPathsAndOutput) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    int code;
    std::string err;
  };
  const std::string missing = dir.file("fehlt.owp");
  const Case cases[] = {
      {"missing path", {"findings", first, missing, "-o", dir.file("x.csv")}, 1,
       "orvela-wp-cli: " + missing + ": Die Datei oder der Ordner existiert nicht.\n"},
      {"output folder missing", {"findings", first, "-o", dir.file("nichts/x.csv")}, 1,
       "Die Datei kann nicht gespeichert werden!"},
      {"unknown format", {"findings", first, "--format", "xls", "-o", dir.file("x.xls")}, 2, "--format"},
      {"same file twice", {"findings", first, first, root + "/2026/../2026/a.owp", "-o", dir.file("x.csv")}, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CliRun r = Cli(c.args);
    EXPECT_EQ(r.code, c.code);
    if (c.err.empty())
      EXPECT_EQ(r.err, "");
    else
      EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
  // The same file once, though named thrice.
  EXPECT_EQ(ReadWholeFile(dir.file("x.csv")).find(first + ";A-1;1;1;Planung;1"),
            ReadWholeFile(dir.file("x.csv")).rfind(first + ";A-1;1;1;Planung;1"));
}

TEST_F(Portfolio, ParallelReadingKeepsThePathOrder) {
  for (int i = 0; i < 24; ++i) {
    WorkFileData d;
    FillAudit(d, "N-" + std::to_string(i));
    ASSERT_TRUE(SaveWorkFile(d, root + "/2026/q1/n" + std::to_string(100 + i) + ".owp", test::FixedStamps()).ok);
  }
  const std::string one = dir.file("one.csv"), four = dir.file("four.csv");
  Cli({"findings", root, "-j", "1", "-o", one});
  Cli({"findings", root, "-j", "4", "-o", four});
  const std::string text = ReadWholeFile(four);
  EXPECT_EQ(ReadWholeFile(one), text);
  EXPECT_LT(text.find(";N-0;"), text.find(";N-23;"));
}

TEST_F(Portfolio, StatsAsTextAndJson) {
  const CliRun text = Cli({"stats", first});
  EXPECT_EQ(text.code, 0) << text.err;
  EXPECT_EQ(text.out, first +
                          "\n"
                          "  Elemente                  3\n"
                          "    nicht definiert         0\n"
                          "    unvollst\xC3\xA4ndig           1\n"
                          "    vollst\xC3\xA4ndig bearbeitet  1\n"
                          "    ohne Arbeitsstand       1\n"
                          "  Feststellungen            3\n"
                          "    Risiko \"3 - hoch\"       1\n"
                          "    ohne Risiko             2\n"
                          "    Typ nicht definiert     1\n"
                          "    Typ Empfehlung          1\n"
                          "    Typ Ma\xC3\x9Fnahme            1\n"
                          "  Dokumente                 1\n");

  const CliRun json = Cli({"stats", root, "--json"});
  expectSkipReports(json);
  const auto files = nlohmann::json::parse(json.out);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[1]["file"], second);
  EXPECT_EQ(files[1]["items"]["byWorkState"]["completed"], 1);
  EXPECT_EQ(files[1]["findings"]["byRisk"]["3 - hoch"], 1);
  EXPECT_EQ(files[1]["findings"]["byType"]["0"], 1);
  EXPECT_EQ(files[1]["documents"], 1);
}

}  // namespace
}  // namespace orvela::cli
