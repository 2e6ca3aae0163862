// The exact text the writer produces.
#include <gtest/gtest.h>

#include "StorageTestSupport.h"
#include "storage/WorkFileXml.h"

namespace orvela {
namespace {

const std::string kHead = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<ORVELA_WP_DOCUMENT>\r\n";

TEST(WorkFileXmlWrite, EmptyWorkFileIsFixedText) {
  WorkFileData data;
  ResetWorkFileData(data, test::FixedStamps());
  data.description = "{\\rtf1\\ansi\r\n\\par\r\n}";
  EXPECT_EQ(BuildWorkFileXml(data),
            kHead +
                "  <DATAINFO FILETYPE=\"ORVELA_WP_DOCUMENT\" FILEVERSION=\"1.00\" APPVERSION=\"1.10\" "
                "USER_CREATED=\"HOST/pruefer\" DATE_CREATED=\"09.12.2024 14:03:05\" USER_CHANGED=\"\" "
                "DATE_CHANGED=\"\" DESCRIPTION=\"{\\rtf1\\ansi\r\n\\par\r\n}\"></DATAINFO>\r\n"
                "  <PROPERTIES_GENERAL></PROPERTIES_GENERAL>\r\n"
                "  <PROPERTIES_RISK></PROPERTIES_RISK>\r\n"
                "  <PROPERTIES_OU></PROPERTIES_OU>\r\n"
                "  <PROPERTIES_STAFF></PROPERTIES_STAFF>\r\n"
                "  <DOCUMENTS></DOCUMENTS>\r\n"
                "  <STRUCTURE></STRUCTURE>\r\n"
                "</ORVELA_WP_DOCUMENT>\r\n");
}

// Everything after DATAINFO for one work file that holds one record of each kind.
TEST(WorkFileXmlWrite, RecordsOfEveryKind) {
  WorkFileData data;
  ResetWorkFileData(data, test::FixedStamps());
  data.riskDefs = ListToText({FieldList({"ITEM=1", "VALUE=hoch"}), FieldList({"ITEM=2"})});
  FieldList doc = NewDocumentRecord();
  doc.setValue(key::ID, "7");
  data.documents.append(nullptr, std::move(doc));
  FieldList top = NewStructureItemRecord(data.lastItemId);
  FieldList finding = NewPanelFindingRecord();
  finding.setValue(key::EVIDENCE, "7");
  // An empty entry is only kept in front: a trailing separator gives no entry.
  top.setValue(key::FINDINGS, ListToText({FieldList(), finding}));
  RecordNode* parent = data.structure.append(nullptr, std::move(top));
  parent->expanded = true;
  data.structure.append(parent, NewStructureItemRecord(data.lastItemId));

  const std::string xml = BuildWorkFileXml(data);
  const std::string body = xml.substr(xml.find("  <PROPERTIES_GENERAL>"));
  EXPECT_EQ(body,
            "  <PROPERTIES_GENERAL></PROPERTIES_GENERAL>\r\n"
            "  <PROPERTIES_RISK>\r\n"
            "    <ITEM NAME=\"1\" VALUE=\"hoch\"></ITEM>\r\n"
            "    <ITEM NAME=\"2\" VALUE=\"\"></ITEM>\r\n"
            "  </PROPERTIES_RISK>\r\n"
            "  <PROPERTIES_OU></PROPERTIES_OU>\r\n"
            "  <PROPERTIES_STAFF></PROPERTIES_STAFF>\r\n"
            "  <DOCUMENTS>\r\n"
            "    <DOCUMENT ID=\"7\" NAME=\"New Document\" REFERENCE=\"&lt;nicht definiert&gt;\" "
            "TYPE=\"&lt;nicht definiert&gt;\" DESCRIPTION=\"\"></DOCUMENT>\r\n"
            "  </DOCUMENTS>\r\n"
            "  <STRUCTURE>\r\n"
            "    <STRUCTURE_ITEM ID=\"1\" PARENT=\"0\" NAME=\"Neues Element - 1\" RISK=\"\" OU-X=\"\" OU-UX=\"\" "
            "WORKSTATE=\"&lt;nicht definiert&gt;\" DESCRIPTION=\"\" RESULT=\"\" DOCUMENTS=\"\" "
            "STATE-EXPANDED=\"True\">\r\n"
            "      <FINDINGS>\r\n"
            "        <FINDING></FINDING>\r\n"
            "        <FINDING NAME=\"Neue Feststellung\" TYPE=\"\" RISK=\"\" OU=\"\" EVIDENCE=\"7\" DESCRIPTION=\"\" "
            "DEADLINE=\"\"></FINDING>\r\n"
            "      </FINDINGS>\r\n"
            "    </STRUCTURE_ITEM>\r\n"
            "    <STRUCTURE_ITEM ID=\"2\" PARENT=\"1\" NAME=\"Neues Element - 2\" RISK=\"\" OU-X=\"\" OU-UX=\"\" "
            "WORKSTATE=\"&lt;nicht definiert&gt;\" DESCRIPTION=\"\" RESULT=\"\" DOCUMENTS=\"\" "
            "STATE-EXPANDED=\"False\">\r\n"
            "      <FINDINGS></FINDINGS>\r\n"
            "    </STRUCTURE_ITEM>\r\n"
            "  </STRUCTURE>\r\n"
            "</ORVELA_WP_DOCUMENT>\r\n");
}

TEST(WorkFileXmlWrite, EscapesOnlyTheFiveMarkupCharacters) {
  struct Case {
    const char* name;
    std::string value;
    std::string written;
  };
  const Case cases[] = {
      {"markup", "A & B <\"x\">", "A &amp; B &lt;&quot;x&quot;&gt;"},
      {"apostrophe", "it's", "it&apos;s"},
      {"reference stays a text", "&amp;", "&amp;amp;"},
      {"raw bytes", "\r\n\t\x07\x11\x80\xE4\xFF", "\r\n\t\x07\x11\x80\xE4\xFF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WorkFileData data;
    ResetWorkFileData(data, test::FixedStamps());
    data.savedBy = c.value;
    const std::string xml = BuildWorkFileXml(data);
    EXPECT_NE(xml.find(" USER_CHANGED=\"" + c.written + "\" DATE_CHANGED"), std::string::npos) << xml;
  }
}

}  // namespace
}  // namespace orvela
