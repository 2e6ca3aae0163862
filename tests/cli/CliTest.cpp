// orvela-wp-cli as a user runs it: arguments in, output lines and exit code out.
#include "../TestRequirements.h"
#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>

#include "../storage/StorageTestSupport.h"
#include "CliTestSupport.h"
#include "cli/CheckCommand.h"
#include "cli/CliApp.h"
#include "cli/ExportCommand.h"
#include "cli/ImportCommand.h"
#include "model/TextUtils.h"
#include "storage/WorkFileStorage.h"

namespace orvela::cli {
namespace {

constexpr CommandRegistration kCommands[] = {RegisterCheckCommand, RegisterExportCommand, RegisterImportCommand};

using test::CliRun;
CliRun Cli(const std::vector<std::string>& args) { return test::RunCommands(kCommands, args); }

const char* const kSmallJson = R"({
  "format": "orvela-wp-json", "version": 1,
  "createdBy": "PC/anna", "createdAt": "09.12.2024 14:03:05", "savedBy": "", "savedAt": "",
  "lastItemId": 2,
  "description": "{\\rtf1 Prüfung}",
  "generalDefs": [ ["ITEM=Prüfer", "VALUE=Muster"] ],
  "riskDefs": [], "ouDefs": [], "staffDefs": [],
  "documents": [ { "record": ["NAME=New Document", "REFERENCE=<nicht definiert>", "TYPE=<nicht definiert>", "ID=1"], "children": [] } ],
  "structure": [ { "record": ["ID=1", "NAME=Planung", "WORKSTATE=<nicht definiert>"], "expanded": true,
                   "children": [ { "record": ["ID=2", "NAME=Kasse € & <Bank>"], "expanded": false, "children": [] } ] } ]
})";

class CliFiles : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::string write(const std::string& name, const std::string& content) {
    std::string path = dir.file(name);
    WriteWholeFile(path, content);
    return path;
  }
};

TEST_F(CliFiles, ImportThenCheck) {
  const std::string json = write("in.json", kSmallJson), owp = dir.file("out.owp");
  CliRun imported = Cli({"import", json, "-o", owp});
  ASSERT_EQ(imported.code, 0) << imported.err;
  EXPECT_EQ(imported.out, "");

  CliRun checked = Cli({"check", owp});
  EXPECT_EQ(checked.code, 0);
  EXPECT_EQ(checked.out, "OK\t" + owp + "\n");

  // Stamps as given, text in Windows-1252.
  WorkFileData data;
  ASSERT_TRUE(LoadWorkFile(data, owp, {}).ok());
  EXPECT_EQ(data.createdBy, "PC/anna");
  EXPECT_EQ(data.savedAt, "");
  EXPECT_EQ(data.generalDefs, "ITEM=Pr\xFC" "fer,VALUE=Muster");
  EXPECT_EQ(data.structure.root().child(0)->child(0)->record.value(key::NAME), "Kasse \x80 & <Bank>");
  EXPECT_TRUE(data.structure.root().child(0)->expanded);
}

TEST_F(CliFiles, CheckReportsEachFile) {
  const std::string json = write("in.json", kSmallJson), good = dir.file("good.owp");
  ASSERT_EQ(Cli({"import", json, "-o", good}).code, 0);
  std::string content = ReadWholeFile(good);
  content[kHeaderSize + 10] ^= 1;
  const std::string damaged = write("damaged.owp", content);
  const std::string missing = dir.file("missing.owp");

  struct Case {
    const char* name;
    std::vector<std::string> files;
    int code;
    std::string out;
  };
  const Case cases[] = {
      {"damaged", {damaged}, 1, "DAMAGED\t" + damaged + "\n"},
      {"missing", {missing}, 1, "MISSING\t" + missing + "\n"},
      {"a folder is missing", {dir.path().string()}, 1, "MISSING\t" + dir.path().string() + "\n"},
      {"header-less", {json}, 1, "DAMAGED\t" + json + "\n"},
      {"all lines in order", {good, missing, good}, 1,
       "OK\t" + good + "\nMISSING\t" + missing + "\nOK\t" + good + "\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args{"check"};
    args.insert(args.end(), c.files.begin(), c.files.end());
    CliRun r = Cli(args);
    EXPECT_EQ(r.code, c.code);
    EXPECT_EQ(r.out, c.out);
  }
}

TEST_F(CliFiles, CheckOfUnreadableFileExitsTwo) {
  const std::string path = write("locked.owp", "x");
  ASSERT_EQ(::chmod(path.c_str(), 0), 0);
  ORVELA_SKIP_AS_ROOT("the superuser can read any file");
  CliRun r = Cli({"check", path, dir.file("missing.owp")});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "MISSING\t" + dir.file("missing.owp") + "\n");
  EXPECT_NE(r.err.find(path), std::string::npos);
}

TEST_F(CliFiles, ExportImportExportGivesTheSameJson) {
  WorkFileData data;
  test::GenerateWorkFile(data, 41, 120);
  const std::string saved = dir.file("saved.owp");
  ASSERT_TRUE(SaveWorkFile(data, saved, test::FixedStamps()).ok);

  CliRun first = Cli({"export", saved, "--check"});
  ASSERT_EQ(first.code, 0) << first.err;
  const std::string json = write("first.json", first.out);
  ASSERT_EQ(Cli({"import", json, "-o", dir.file("again.owp")}).code, 0);
  EXPECT_EQ(ReadWholeFile(dir.file("again.owp")), ReadWholeFile(saved));
  ASSERT_EQ(Cli({"export", dir.file("again.owp"), "-o", dir.file("second.json")}).code, 0);
  EXPECT_EQ(ReadWholeFile(dir.file("second.json")), first.out);
}

TEST_F(CliFiles, ExportRenumbersAndReportsWarnings) {
  const std::string plain = write("plain.xml",
                                  "<R><DATAINFO FILETYPE=\"x\" FILEVERSION=\"2\" USER_CREATED=\"\xC4rger\"/>"
                                  "<PROPERTIES_GENERAL/><PROPERTIES_RISK/><PROPERTIES_OU/><PROPERTIES_STAFF/>"
                                  "<DOCUMENTS/><STRUCTURE><STRUCTURE_ITEM ID=\"9\" PARENT=\"0\" NAME=\"a\"/>"
                                  "</STRUCTURE></R>");
  CliRun r = Cli({"export", plain});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("\"createdBy\": \"Ärger\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"ID=1\""), std::string::npos);
  EXPECT_NE(r.out.find("\"lastItemId\": 1"), std::string::npos);
  EXPECT_EQ(r.err, "orvela-wp-cli: " + plain + ": Die gewählte Datei ist keine Orvela-WP Datei!\n" +
                       "orvela-wp-cli: " + plain + ": Die gewählte Datei ist von einer aktuelleren Orvela-WP Version!\n");

  CliRun checked = Cli({"export", plain, "--check"});
  EXPECT_EQ(checked.code, 1);
  EXPECT_EQ(checked.out, "");
  EXPECT_EQ(checked.err, "orvela-wp-cli: Die Datei " + plain + " ist beschädigt!\n");
}

TEST_F(CliFiles, ExportFailures) {
  CliRun missing = Cli({"export", dir.file("none.owp"), "--check"});
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err.rfind("orvela-wp-cli: Die Datei kann nicht gelesen werden!\n", 0), 0u) << missing.err;

  CliRun broken = Cli({"export", write("broken.owp", "<A><B></A>")});
  EXPECT_EQ(broken.code, 1);
  EXPECT_EQ(broken.err, "orvela-wp-cli: Ungültiges XML in Zeile 1, Spalte 7: End-Tag </A> passt nicht zum Start-Tag "
                        "<B> in Zeile 1, Spalte 4.\n");
  EXPECT_EQ(broken.out, "");
}

TEST_F(CliFiles, ImportNamesThePlaceOfBadJson) {
  auto withStructure = [](const std::string& structure) {
    return R"({"format": "orvela-wp-json", "version": 1, "structure": )" + structure + "}";
  };
  const std::string node = R"({"record": ["ID=1"], "children": []})";
  struct Case {
    const char* name;
    std::string json;
    std::string error;
  };
  const Case cases[] = {
      {"deep record line", withStructure("[" + node + "," + node + "," + node + R"(, {"children": [{"record": ["a", "b", 3]}]}])"),
       "structure[3].children[0].record[2]: expected a string"},
      {"node not an object", withStructure("[1]"), "structure[0]: expected an object"},
      {"children not an array", withStructure(R"([{"children": {}}])"), "structure[0].children: expected an array"},
      {"expanded not a truth value", withStructure(R"([{"expanded": "yes"}])"),
       "structure[0].expanded: expected true or false"},
      {"unknown node key", withStructure(R"([{"recrod": []}])"), "structure[0].recrod: unknown key"},
      {"expanded is no document key", R"({"format": "orvela-wp-json", "version": 1, "documents": [{"expanded": true}]})",
       "documents[0].expanded: unknown key"},
      {"definition entry", R"({"format": "orvela-wp-json", "version": 1, "riskDefs": [["ITEM=1"], "VALUE=2"]})",
       "riskDefs[1]: expected an array"},
      {"stamp", R"({"format": "orvela-wp-json", "version": 1, "savedBy": null})", "savedBy: expected a string"},
      {"item counter", R"({"format": "orvela-wp-json", "version": 1, "lastItemId": -1})",
       "lastItemId: expected a whole number from 0"},
      {"unknown top-level key", R"({"format": "orvela-wp-json", "version": 1, "structur": []})", "structur: unknown key"},
      {"format", R"({"format": "other", "version": 1})", "format: expected \"orvela-wp-json\""},
      {"no format", R"({"version": 1})", "format: missing; expected \"orvela-wp-json\""},
      {"version", R"({"format": "orvela-wp-json", "version": 2})", "version: expected 1"},
      {"not an object", "[]", "top level: expected an object"},
      {"character outside Windows-1252", withStructure(R"([{"record": ["NAME=ok", "NAME=Prüfung 中"]}])"),
       "structure[0].record[1]: character U+4E2D \"中\" cannot be stored in Windows-1252"},
      {"escaped character outside Windows-1252", R"({"format": "orvela-wp-json", "version": 1, "description": "\u2603"})",
       "description: character U+2603 \"☃\" cannot be stored in Windows-1252"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string json = write("bad.json", c.json), owp = dir.file("never.owp");
    CliRun r = Cli({"import", json, "-o", owp});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "orvela-wp-cli: " + json + ": " + c.error + "\n");
    EXPECT_FALSE(std::filesystem::exists(owp));
  }
  const std::string notJson[] = {"{\"format\": ", "{\"lastItemId\": 1" + std::string(400, '0') + "}"};
  for (const std::string& text : notJson) {
    SCOPED_TRACE(text.substr(0, 20));
    const std::string owp = dir.file("never.owp");
    CliRun syntax = Cli({"import", write("syntax.json", text), "-o", owp});
    EXPECT_EQ(syntax.code, 1);
    EXPECT_EQ(syntax.err.rfind("orvela-wp-cli: " + dir.file("syntax.json") + ": not valid JSON: ", 0), 0u) << syntax.err;
    EXPECT_FALSE(std::filesystem::exists(owp));
  }
}

TEST(Cli, VersionHelpAndUsage) {
  CliRun version = Cli({"--version"});
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out, "1.10\n");

  CliRun help = Cli({"--help"});
  EXPECT_EQ(help.code, 0);
  for (const char* command : {"check", "export", "import"}) EXPECT_NE(help.out.find(command), std::string::npos);

  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {}, {"check"}, {"import", "a.json"}, {"frobnicate"}, {"export", "a", "b"}}) {
    SCOPED_TRACE(args.empty() ? "(none)" : args[0]);
    EXPECT_EQ(Cli(args).code, 2);
  }
}

}  // namespace
}  // namespace orvela::cli
