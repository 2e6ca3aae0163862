// Finding a text in a work file: every kind of place, the Windows-1252 case rules, the
// values that only mean "not set", the order of the hits, the limit, the snippets, and
// search texts the file cannot hold.
#include "model/WorkFileSearch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/DelimitedText.h"
#include "model/EvidenceFields.h"
#include "model/srcGlobalDef.h"

namespace orvela {
namespace {

FieldList Finding(std::vector<std::string> lines) { return FieldList(std::move(lines)); }

// Two items, the second under the first with two findings; two documents; the risk list;
// the description's plain text is passed beside the data.
struct SmallFile {
  WorkFileData data;
  std::string description = "Projekt \xC4pfel und Birnen\r\nZweite Zeile";

  SmallFile() {
    RecordNode* planung = data.structure.append(
        nullptr, FieldList({"ID=1", "NAME=Planung", "DESCRIPTION=Kasse pr\xFC" "fen\r\nBelege z\xE4hlen",
                            "RESULT=ohne Befund", "WORKSTATE=<nicht definiert>"}));
    const std::vector<FieldList> findings = {
        Finding({"NAME=Fehlende Belege", "TYPE=2", "RISK=1 - hoch", "OU=\"E - Einkauf\",\"V - Vertrieb\"",
                 "EVIDENCE=7", "DESCRIPTION=Die \"Stichprobe\" war zu klein", "DEADLINE=01.01.1900",
                 "SIGNOFF=Meier", "NAME=Zweiter Name"}),
        Finding({"NAME=Kasse offen", "TYPE=0", "DEADLINE=31.03.2025"}),
    };
    FieldList kasse({"ID=2", "NAME=Kassenpr\xFC" "fung \x9A" "koda \xFF", "RESULT=aaaa"});
    kasse.setValue(key::FINDINGS, ListToText(findings));
    data.structure.append(planung, std::move(kasse));
    data.structure.append(nullptr, FieldList({"ID=3", "NAME=Stra\xDF" "e", "DESCRIPTION=Ma\xDF"}));

    data.documents.append(nullptr, FieldList({"NAME=Vertrag Kasse", "REFERENCE=<nicht definiert>", "TYPE=Document",
                                              "ID=7", "DESCRIPTION=Anlage zum Vertrag"}));
    data.documents.append(nullptr, FieldList({"NAME=Beleg", "REFERENCE=/home/pruefer/kasse.pdf", "ID=8"}));
    data.riskDefs = ListToText({FieldList({"ITEM=1", "VALUE=hoch"}), FieldList({"ITEM=2", "VALUE=Kasse mittel"})});
    data.ouDefs = ListToText({FieldList({"ITEM=E", "VALUE=Einkauf"})});
  }
};

// A hit as "kind:who:field@offset", who being the record's NAME, the finding's row or the
// definition list and row.
std::string Describe(const FindHit& h) {
  static const char* kinds[] = {"item", "finding", "document", "definition", "description"};
  std::string who;
  switch (h.place) {
    case FindPlace::Item:
    case FindPlace::Document: who = h.node->record.value(key::NAME).substr(0, 6); break;
    case FindPlace::Finding: who = h.node->record.value(key::NAME).substr(0, 6) + "#" + std::to_string(h.index); break;
    case FindPlace::Definition: who = std::to_string(h.index) + "#" + std::to_string(h.entry); break;
    case FindPlace::Description: break;
  }
  return std::string(kinds[static_cast<int>(h.place)]) + ":" + who + ":" + h.field + "@" + std::to_string(h.offset);
}

std::vector<std::string> DescribeAll(const FindResult& r) {
  std::vector<std::string> out;
  for (const FindHit& h : r.hits) out.push_back(Describe(h));
  return out;
}

TEST(WorkFileSearch, FindsEveryKindOfPlaceInOrder) {
  struct Case {
    const char* name;
    std::string needle;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"every place, case ignored, tree order then documents, lists, description",
       "KASSE",
       {"item:Planun:DESCRIPTION@0", "item:Kassen:NAME@0", "finding:Kassen#1:NAME@0", "document:Vertra:NAME@8",
        "document:Beleg:REFERENCE@14", "definition:1#1:VALUE@0"}},
      {"Windows-1252 letters fold both ways", "\xE4PFEL", {"description::@8"}},
      {"s caron and y diaeresis have their capitals", "\x8AKODA \x9F", {"item:Kassen:NAME@14"}},
      {"sharp s has no capital and is no ss", "STRASSE", {}},
      {"sharp s matches only itself", "\xDF", {"finding:Kassen#0:TYPE@2", "item:Stra\xDF" "e:NAME@4",
                                               "item:Stra\xDF" "e:DESCRIPTION@2"}},
      {"a finding's type by its shown name", "ma\xDFnahme", {"finding:Kassen#0:TYPE@0"}},
      {"type 0 is no text of the user's", "nicht definiert", {}},
      {"no deadline is no text, a set one is", "19", {}},
      {"a set deadline", "03.2025", {"finding:Kassen#1:DEADLINE@3"}},
      {"reference placeholder is not searched", "<nicht", {}},
      {"unit inside the comma text of a finding", "Vertrieb", {"finding:Kassen#0:OU@19"}},
      {"quotes in the text (stored doubled)", "\"Stichprobe\"", {"finding:Kassen#0:DESCRIPTION@4"}},
      {"a field not known here is searched too", "meier", {"finding:Kassen#0:SIGNOFF@0"}},
      {"a second line of a key is never read", "Zweiter", {}},
      {"line break inside the hit", "pr\xFC" "fen\r\nbelege", {"item:Planun:DESCRIPTION@6"}},
      {"occurrences do not overlap", "aa", {"item:Kassen:RESULT@0", "item:Kassen:RESULT@2"}},
      {"definition item and value", "einkauf", {"finding:Kassen#0:OU@5", "definition:2#0:VALUE@0"}},
      {"longer than every text", std::string(300, 'a'), {}},
      {"empty text finds nothing", "", {}},
      {"bytes that never occur", std::string("\x00\x11\x7F", 3), {}},
  };
  const SmallFile file;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const FindResult r = FindInWorkFile(file.data, file.description, c.needle);
    EXPECT_EQ(DescribeAll(r), c.expected);
    EXPECT_FALSE(r.truncated);
  }
}

TEST(WorkFileSearch, ReviewNoteAndFollowUp) {
  WorkFileData data;
  FieldList item({"ID=1", "NAME=Kasse", "RESULT=ok", "REVIEW-NOTE=Belege\r\nnachfordern", "REVIEWED-BY=PC1/pruefer",
                  "REVIEW-DIGEST=00ff00ff00ff00ff"});
  item.setValue(key::FINDINGS,
                ListToText({Finding({"NAME=A", "STATUS=1", "RESPONSE=Belege folgen", "RESPONSIBLE=Frau Umsetzer"}),
                            Finding({"NAME=B", "STATUS=0"}), Finding({"NAME=C", "STATUS=9"})}));
  data.structure.append(nullptr, std::move(item));
  struct Case {
    const char* name;
    std::string needle;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"the review note, after the result", "belege",
       {"item:Kasse:REVIEW-NOTE@0", "finding:Kasse#0:RESPONSE@0"}},
      {"status by its shown text", "umsetz", {"finding:Kasse#0:STATUS@3", "finding:Kasse#0:RESPONSIBLE@5"}},
      {"open is what every finding starts as", "offen", {}},
      {"status never by its number", "1", {}},
      {"digest and stamps are no text of the user's", "00ff", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DescribeAll(FindInWorkFile(data, "", c.needle)), c.expected);
  }
}

TEST(WorkFileSearch, StopsAtTheLimitAndSaysSo) {
  struct Case {
    std::size_t maxHits;
    std::size_t hits;
    bool truncated;
  };
  // "e" occurs far more often than three times; "aa" exactly twice.
  const SmallFile file;
  for (const Case& c : {Case{3, 3, true}, Case{1, 1, true}}) {
    SCOPED_TRACE(c.maxHits);
    FindOptions options;
    options.maxHits = c.maxHits;
    const FindResult r = FindInWorkFile(file.data, file.description, "e", options);
    EXPECT_EQ(r.hits.size(), c.hits);
    EXPECT_EQ(r.truncated, c.truncated);
  }
  FindOptions exact;
  exact.maxHits = 2;
  const FindResult r = FindInWorkFile(file.data, file.description, "aa", exact);
  EXPECT_EQ(r.hits.size(), 2u);
  EXPECT_FALSE(r.truncated) << "as many hits as allowed is not more";
}

TEST(WorkFileSearch, SnippetShowsTheHitOnOneLine) {
  struct Case {
    const char* name;
    std::string text;
    std::string needle;
    std::size_t context;
    std::string snippet;
    std::size_t snippetHit;
  };
  const Case cases[] = {
      {"whole short text", "Kasse zu", "zu", 10, "Kasse zu", 6},
      {"cut on both sides", "0123456789abcdef", "89", 3, "\x85" "56789abc\x85", 4},
      {"line breaks and tabs become one blank", "eins\r\n\tzwei", "zwei", 10, "eins zwei", 5},
      {"line break inside the hit keeps its width", "eins\r\nzwei", "s\r\nz", 10, "eins  zwei", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FindOptions options;
    options.context = c.context;
    const FindResult r = FindInWorkFile(WorkFileData{}, c.text, c.needle, options);
    ASSERT_EQ(r.hits.size(), 1u);
    EXPECT_EQ(r.hits[0].snippet, c.snippet);
    EXPECT_EQ(r.hits[0].snippetHit, c.snippetHit);
  }
}

TEST(WorkFileSearch, CountsOccurrencesWithinOneText) {
  const FindResult r = FindInWorkFile(WorkFileData{}, "ab ab AB", "ab");
  ASSERT_EQ(r.hits.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(r.hits[i].occurrence, i);
    EXPECT_EQ(r.hits[i].offset, 3 * i);
  }
}

TEST(WorkFileSearch, SearchTextFromUnicode) {
  struct Case {
    const char* name;
    std::string utf8;
    bool holdable;
    std::string bytes;
  };
  const Case cases[] = {
      {"plain", "Kasse", true, "Kasse"},
      {"Windows-1252 letters", "\xE2\x82\xAC \xC3\x84", true, "\x80 \xC4"},
      {"line feed becomes CR LF", "a\nb", true, "a\r\nb"},
      {"lone CR too, CR LF stays one break", "a\rb\r\nc", true, "a\r\nb\r\nc"},
      {"arrow cannot be held", "a\xE2\x86\x92" "b", false, ""},
      {"emoji cannot be held", "\xF0\x9F\x98\x80", false, ""},
      {"malformed UTF-8", "a\xC3", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string out = "old";
    EXPECT_EQ(SearchTextFromUtf8(c.utf8, out), c.holdable);
    EXPECT_EQ(out, c.bytes);
  }
}

}  // namespace
}  // namespace orvela
