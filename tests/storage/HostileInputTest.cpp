// Broken and hostile text never crashes or hangs the reader: it is read or refused with
// a message that says what is wrong and where.
#include <gtest/gtest.h>

#include "StorageTestSupport.h"
#include "storage/WorkFileXml.h"

namespace orvela {
namespace {

std::string ParseError(std::string_view text) {
  WorkFileData data;
  try {
    ParseWorkFileXml(data, text, {});
  } catch (const xml::XmlError& e) {
    return e.what();
  }
  return "";
}

TEST(HostileInput, NotWellFormed) {
  struct Case {
    const char* name;
    std::string text;
    std::string error;
  };
  const Case cases[] = {
      {"empty", "", "Ungültiges XML in Zeile 1, Spalte 1: Der Text enthält kein XML-Element."},
      {"no tag", "OVWP00000001 only a header", "Ungültiges XML in Zeile 1, Spalte 27: Der Text enthält kein XML-Element."},
      {"declaration only", "<?xml version=\"1.0\"?>\r\n", "Ungültiges XML in Zeile 2, Spalte 1: Der Text enthält kein XML-Element."},
      {"open declaration", "<?xml version=", "Ungültiges XML in Zeile 1, Spalte 1: Verarbeitungsanweisung ohne Ende."},
      {"open comment", "<A><!-- x", "Ungültiges XML in Zeile 1, Spalte 4: Kommentar ohne Ende."},
      {"tag without end", "<A>\n  <B NAME=\"x\"", "Ungültiges XML in Zeile 2, Spalte 3: Start-Tag <B> ohne Ende."},
      {"value without end", "<A>\n<B NAME=\"x>\n</A>", "Ungültiges XML in Zeile 2, Spalte 4: Der Wert des Attributs NAME hat kein Ende."},
      {"attribute without value", "<A B>", "Ungültiges XML in Zeile 1, Spalte 4: Dem Attribut B fehlt „=“ und sein Wert."},
      {"unquoted value", "<A B=1>", "Ungültiges XML in Zeile 1, Spalte 6: Der Wert des Attributs B steht nicht in Anführungszeichen."},
      {"missing name", "<A>< B/>", "Ungültiges XML in Zeile 1, Spalte 4: Nach „<“ fehlt der Elementname (Zeichen 0x20)."},
      {"stray slash", "<A / >", "Ungültiges XML in Zeile 1, Spalte 4: Unerwartetes „/“ im Start-Tag <A>."},
      {"unclosed", "<A>\r\n<B>", "Ungültiges XML in Zeile 2, Spalte 4: Unerwartetes Textende: Das Element <B> aus Zeile 2, Spalte 1 ist nicht geschlossen."},
      {"wrong end tag", "<A><B></A>", "Ungültiges XML in Zeile 1, Spalte 7: End-Tag </A> passt nicht zum Start-Tag <B> in Zeile 1, Spalte 4."},
      {"end tag first", "</A>", "Ungültiges XML in Zeile 1, Spalte 1: End-Tag </A> ohne Start-Tag."},
      {"second root", "<A/><B/>", "Ungültiges XML in Zeile 1, Spalte 5: Zweites Wurzelelement <B>."},
      {"control character after <", std::string("<A><\x01/>"), "Ungültiges XML in Zeile 1, Spalte 4: Nach „<“ fehlt der Elementname (Zeichen 0x01)."},
      {"Windows-1252 name shown as UTF-8", "<\xC4><\xD6></\xC4>", "Ungültiges XML in Zeile 1, Spalte 7: End-Tag </Ä> passt nicht zum Start-Tag <Ö> in Zeile 1, Spalte 4."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ParseError(c.text), c.error);
  }
}

TEST(HostileInput, EveryTruncationIsReadOrRefused) {
  WorkFileData data;
  test::GenerateWorkFile(data, 31, 6);
  const std::string xml = BuildWorkFileXml(data);
  std::size_t refused = 0;
  for (std::size_t n = 0; n < xml.size(); ++n) {
    std::string error = ParseError(std::string_view(xml).substr(0, n));
    if (!error.empty()) ++refused;
    EXPECT_TRUE(error.empty() || error.find(", Spalte ") != std::string::npos) << error;
  }
  // Only the cut of the final line break can still be read.
  EXPECT_EQ(refused, xml.size() - 2);
}

TEST(HostileInput, BinaryGarbage) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    std::string text(1 + rng() % 2000, '\0');
    for (char& c : text) c = static_cast<char>(rng() % 4 == 0 ? "<>/=\"' &;"[rng() % 9] : rng());
    ParseError(text);  // must return, whatever it says
  }
  SUCCEED();
}

TEST(HostileInput, DeepNestingUsesNoRecursion) {
  const std::size_t depth = 100000;
  std::string text;
  for (std::size_t i = 0; i < depth; ++i) text += "<a>";
  EXPECT_NE(ParseError(text).find("ist nicht geschlossen"), std::string::npos);
  for (std::size_t i = 0; i < depth; ++i) text += "</a>";
  EXPECT_NE(ParseError(text).find("fehlt das Element <DATAINFO>"), std::string::npos);
}

TEST(HostileInput, DeepChainOfParents) {
  std::string text = "<R><DATAINFO/><PROPERTIES_GENERAL/><PROPERTIES_RISK/><PROPERTIES_OU/><PROPERTIES_STAFF/>"
                     "<DOCUMENTS/><STRUCTURE>";
  // Deep enough to overflow any recursive walk; appending to a chain costs time
  // proportional to its depth in the tree itself, which keeps this test from going deeper.
  const int depth = 20000;
  auto item = [&](int id, int parent) {
    text += "<STRUCTURE_ITEM ID=\"" + std::to_string(id) + "\" PARENT=\"" + std::to_string(parent) + "\"/>";
  };
  for (int i = 1; i <= depth; ++i) item(i, i - 1);
  // The same IDs again at the top level: each must be compared with a deep item.
  for (int i = 1; i <= depth; ++i) item(i, 0);
  item(depth + 1, depth);
  text += "</STRUCTURE></R>";
  WorkFileData data;
  ParseWorkFileXml(data, text, {});
  EXPECT_EQ(data.structure.root().childCount(), static_cast<std::size_t>(depth) + 1);
  const RecordNode* deepest = data.structure.root().child(0);
  while (deepest->childCount() > 0) deepest = deepest->child(deepest->childCount() - 1);
  EXPECT_EQ(deepest->record.value(key::ID), std::to_string(depth + 1));  // under the chain's last item
  EXPECT_EQ(deepest->parent()->record.value(key::ID), std::to_string(depth));
}

TEST(HostileInput, HugeAttribute) {
  std::string text = "<R><DATAINFO DESCRIPTION=\"";
  text.append(200u << 20, 'x');
  text += "\"/><PROPERTIES_GENERAL/><PROPERTIES_RISK/><PROPERTIES_OU/><PROPERTIES_STAFF/><DOCUMENTS/><STRUCTURE/></R>";
  WorkFileData data;
  ParseWorkFileXml(data, text, {});
  EXPECT_EQ(data.description.size(), 200u << 20);
  text.resize(text.size() - 120);  // the value now has no end
  data.description.clear();
  EXPECT_EQ(ParseError(text), "Ungültiges XML in Zeile 1, Spalte 14: Der Wert des Attributs DESCRIPTION hat kein Ende.");
}

}  // namespace
}  // namespace orvela
