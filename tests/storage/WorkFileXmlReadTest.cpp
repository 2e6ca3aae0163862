// What the reader accepts and how it fills the data.
#include <gtest/gtest.h>

#include <algorithm>

#include "StorageTestSupport.h"
#include "storage/WorkFileXml.h"

namespace orvela {
namespace {

struct Parts {
  std::string dataInfo = R"(<DATAINFO FILETYPE="ORVELA_WP_DOCUMENT" FILEVERSION="1.00"/>)";
  std::string general, documents, structure;
};

std::string Xml(const Parts& p) {
  return "<?xml version=\"1.0\"?>\r\n<ROOT>" + p.dataInfo + "<PROPERTIES_GENERAL>" + p.general +
         "</PROPERTIES_GENERAL><PROPERTIES_RISK/><PROPERTIES_OU/><PROPERTIES_STAFF/><DOCUMENTS>" + p.documents +
         "</DOCUMENTS><STRUCTURE>" + p.structure + "</STRUCTURE></ROOT>";
}

struct Parsed {
  WorkFileData data;
  std::vector<LoadWarning> warnings;
};

std::unique_ptr<Parsed> Parse(const std::string& xml) {
  auto p = std::make_unique<Parsed>();
  ResetWorkFileData(p->data, test::FixedStamps());
  ParseWorkFileXml(p->data, xml, [&](LoadWarning w, const std::string&) { p->warnings.push_back(w); });
  return p;
}

std::string SavedByRead(const std::string& attribute) {
  Parts parts;
  parts.dataInfo = "<DATAINFO FILETYPE=\"ORVELA_WP_DOCUMENT\" USER_CHANGED=" + attribute + "/>";
  return Parse(Xml(parts))->data.savedBy;
}

TEST(WorkFileXmlRead, AttributeValues) {
  struct Case {
    const char* name;
    std::string attribute;  // as it stands in the file, quotes included
    std::string value;
  };
  const Case cases[] = {
      {"double quotes", "\"a b\"", "a b"},
      {"apostrophes", "'a \"b\"'", "a \"b\""},
      {"doubled double quote", "\"say \"\"hi\"\"\"", "say \"hi\""},
      {"doubled apostrophe", "'it''s'", "it's"},
      {"the five references", "\"&amp;&lt;&gt;&apos;&quot;\"", "&<>'\""},
      {"references are case sensitive", "\"&AMP;&Lt;\"", "&AMP;&Lt;"},
      {"decimal code", "\"&#65;&#0065;&#228;\"", "AA\xE4"},
      {"hex code either x", "\"&#x41;&#X42;&#xfe;\"", "AB\xFE"},
      {"code 0", "\"a&#0;b\"", std::string("a\0b", 3)},
      {"code 255 stays", "\"&#255;&#xFF;\"", "&#255;&#xFF;"},
      {"huge code stays", "\"&#99999999999999999999;\"", "&#99999999999999999999;"},
      {"not a number stays", "\"&#;&#x;&#1a;\"", "&#;&#x;&#1a;"},
      {"unknown reference stays", "\"&nbsp;x\"", "&nbsp;x"},
      {"amp without semicolon keeps rest", "\"a&amp b&lt\"", "a&amp b&lt"},
      {"sequence up to next semicolon", "\"&a&amp;\"", "&a&amp;"},
      {"line breaks and blanks kept", "\"  a\r\n\tb  \"", "  a\r\n\tb  "},
      {"raw markup characters", "\"a>b<c\"", "a>b<c"},
      {"bytes 128-255 as they are", "\"\x80\xE4\xFF\"", "\x80\xE4\xFF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SavedByRead(c.attribute), c.value);
  }
}

TEST(WorkFileXmlRead, NamesIgnoreLetterCaseAndFirstMatchCounts) {
  Parts parts;
  parts.dataInfo = R"(<datainfo filetype="ORVELA_WP_DOCUMENT" User_Created="first" USER_CREATED="second"/>)";
  parts.general = R"(<whatever name="A" Value="B"/><ITEM/>)";
  auto p = Parse(Xml(parts));
  EXPECT_EQ(p->data.createdBy, "first");
  EXPECT_TRUE(p->warnings.empty());
  // Every child counts, whatever its name; both lines are always there.
  EXPECT_EQ(p->data.generalDefs, "ITEM=A,VALUE=B\x11ITEM=,VALUE=");
}

TEST(WorkFileXmlRead, Warnings) {
  struct Case {
    const char* dataInfo;
    std::vector<LoadWarning> warnings;
  };
  const Case cases[] = {
      {R"(FILETYPE="ORVELA_WP_DOCUMENT" FILEVERSION="1.00")", {}},
      {R"(FILETYPE="ORVELA_WP_DOCUMENT" FILEVERSION="0.9")", {}},
      {R"(FILETYPE="ORVELA_WP_DOCUMENT" FILEVERSION="")", {}},
      {R"(FILETYPE="ORVELA_WP_DOCUMENT")", {}},
      {R"(FILETYPE="ORVELA_WP_DOCUMENT" FILEVERSION="1.1")", {LoadWarning::NewerVersion}},
      {R"(FILETYPE="ORVELA_WP_DOCUMENT" FILEVERSION="2.00")", {LoadWarning::NewerVersion}},
      {R"(FILETYPE="ORVELA_WP_DOCUMENT" FILEVERSION="1.000")", {LoadWarning::NewerVersion}},
      {R"(FILETYPE="orvela_wp_document")", {LoadWarning::NotAWorkFile}},
      {R"(FILEVERSION="9")", {LoadWarning::NotAWorkFile, LoadWarning::NewerVersion}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dataInfo);
    Parts parts;
    parts.dataInfo = std::string("<DATAINFO ") + c.dataInfo + " USER_CREATED=\"read on\"/>";
    auto p = Parse(Xml(parts));
    EXPECT_EQ(p->warnings, c.warnings);
    EXPECT_EQ(p->data.createdBy, "read on");
  }
  EXPECT_EQ(LoadWarningText(LoadWarning::NotAWorkFile), "Die gewählte Datei ist keine Orvela-WP Datei!");
  EXPECT_EQ(LoadWarningText(LoadWarning::NewerVersion),
            "Die gewählte Datei ist von einer aktuelleren Orvela-WP Version!");
}

std::string Item(const std::string& id, const std::string& parent, const std::string& extra = "",
                 const std::string& inner = "") {
  return "<STRUCTURE_ITEM ID=\"" + id + "\" PARENT=\"" + parent + "\" NAME=\"n" + id + "\" " + extra + ">" + inner +
         "</STRUCTURE_ITEM>";
}

// The tree as "name(children)" in tree order.
std::string Shape(const RecordNode& node) {
  std::string out;
  for (const auto& child : node.children()) {
    out += child->record.value(key::NAME);
    if (child->childCount() > 0) out += "(" + Shape(*child) + ")";
    out += " ";
  }
  if (!out.empty()) out.pop_back();
  return out;
}

TEST(WorkFileXmlRead, ParentsPlaceItems) {
  struct Case {
    const char* name;
    std::string structure;
    std::string shape;
  };
  const Case cases[] = {
      {"flat", Item("1", "0") + Item("2", "0"), "n1 n2"},
      {"appended after earlier children", Item("1", "0") + Item("3", "0") + Item("4", "3") + Item("2", "1") +
                                              Item("5", "3"),
       "n1(n2) n3(n4 n5)"},
      {"first item in tree order with that ID",
       // "2" first occurs at the top, but the copy placed under "1" comes first in tree order.
       Item("1", "0") + R"(<STRUCTURE_ITEM ID="2" PARENT="0" NAME="top2"/><STRUCTURE_ITEM ID="2" PARENT="1" NAME="deep2"/>)" +
           Item("9", "2"),
       "n1(deep2(n9)) top2"},
      {"unknown parent goes to the top level", Item("1", "0") + Item("2", "77") + Item("3", "2"), "n1 n2(n3)"},
      {"parent named later goes to the top level", Item("2", "1") + Item("1", "0"), "n2 n1"},
      {"other children passed over", Item("1", "0") + "<structure_item ID=\"5\" PARENT=\"0\"/><X/>" + Item("2", "1"),
       "n1(n2)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Parts parts;
    parts.structure = c.structure;
    auto p = Parse(Xml(parts));
    EXPECT_EQ(Shape(p->data.structure.root()), c.shape);
  }
}

TEST(WorkFileXmlRead, ExpandedState) {
  struct Case {
    const char* value;
    bool expanded;
  };
  const Case cases[] = {{"True", true}, {"TRUE", true}, {"false", false}, {"1", true}, {"-2", true},
                        {"0", false},   {"0.0", false}, {"0.5", true},    {"yes", false}, {"", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    Parts parts;
    parts.structure = Item("1", "0", std::string("STATE-EXPANDED=\"") + c.value + "\"");
    EXPECT_EQ(Parse(Xml(parts))->data.structure.root().child(0)->expanded, c.expanded);
  }
  // The second pass sets the state on the first item in tree order with the element's ID.
  Parts parts;
  parts.structure = Item("1", "0", "STATE-EXPANDED=\"False\"") + Item("1", "0", "STATE-EXPANDED=\"True\"");
  auto p = Parse(Xml(parts));
  EXPECT_TRUE(p->data.structure.root().child(0)->expanded);
  EXPECT_FALSE(p->data.structure.root().child(1)->expanded);
}

TEST(WorkFileXmlRead, RecordsFromAttributes) {
  Parts parts;
  parts.documents = R"(<DOCUMENT ID="4" NAME="" TYPE="Link" DESCRIPTION="d"/><x/>)";
  parts.structure =
      Item("8", "0", R"(RISK="hoch" WORKSTATE="completed" OU-X="A,B" DOCUMENTS="4")",
           R"(<FINDINGS><FINDING NAME="F 1" TYPE="1" EVIDENCE="4" DEADLINE=""/><OTHER/></FINDINGS>)") +
      Item("9", "0", "", "<x><findings><FINDING NAME=\"deep\"/></findings></x>") + Item("10", "0");
  auto p = Parse(Xml(parts));
  const WorkFileData& d = p->data;

  ASSERT_EQ(d.documents.count(), 2u);
  EXPECT_EQ(d.documents.root().child(0)->record.lines(),
            (std::vector<std::string>{"TYPE=Link", "ID=4", "DESCRIPTION=d"}));
  // Missing attributes read as empty and so remove even the initial values.
  EXPECT_TRUE(d.documents.root().child(1)->record.empty());

  const FieldList& item = d.structure.root().child(0)->record;
  EXPECT_EQ(item.lines(), (std::vector<std::string>{"ID=8", "NAME=n8", "RISK=hoch", "OU-X=A,B",
                                                    "FINDINGS=\"NAME=F 1\",TYPE=1,EVIDENCE=4\x11", "DOCUMENTS=4",
                                                    "WORKSTATE=completed"}));
  EXPECT_EQ(d.structure.root().child(1)->record.value(key::FINDINGS), "NAME=deep");
  // Without FINDINGS the initial empty line stays.
  const auto& lines = d.structure.root().child(2)->record.lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "FINDINGS="), lines.end());
  // Items are created as new records first, which counts them.
  EXPECT_EQ(d.lastItemId, 3);
}

TEST(WorkFileXmlRead, SkipsHeaderDeclarationCommentsAndText) {
  const std::string xml = "OVWP00000001 anything without a tag\r\n<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                          "<!DOCTYPE x [<!ENTITY e \"v\">]><!-- <DATAINFO USER_CREATED=\"comment\"/> -->" +
                          Xml(Parts{}).substr(Xml(Parts{}).find("<ROOT>")) + "\r\n  trailing text";
  EXPECT_NO_THROW(Parse(xml));
}

TEST(WorkFileXmlRead, MissingMainElementsStopWithPlace) {
  for (std::string name : {"DATAINFO", "PROPERTIES_GENERAL", "PROPERTIES_RISK", "PROPERTIES_OU", "PROPERTIES_STAFF",
                           "DOCUMENTS", "STRUCTURE"}) {
    SCOPED_TRACE(name);
    std::string xml = Xml(Parts{});
    // Renaming the element hides it from the search.
    for (std::size_t at = xml.find("<" + name); at != std::string::npos; at = xml.find("<" + name, at + 1))
      xml.replace(at + 1, 1, "Z");
    for (std::size_t at = xml.find("</" + name); at != std::string::npos; at = xml.find("</" + name, at + 1))
      xml.replace(at + 2, 1, "Z");
    try {
      Parse(xml);
      ADD_FAILURE() << "no error";
    } catch (const xml::XmlError& e) {
      EXPECT_EQ(std::string(e.what()), "Ungültige Orvela-WP Datei in Zeile 2, Spalte 1: Im Wurzelelement <ROOT> fehlt "
                                       "das Element <" + name + ">.");
    }
  }
}

}  // namespace
}  // namespace orvela
