// The sign-offs of structure items and the follow-up of findings: optional attributes,
// written after the fixed ones and only when they hold a value.
#include <gtest/gtest.h>

#include "StorageTestSupport.h"
#include "model/DelimitedText.h"
#include "model/EvidenceFields.h"
#include "storage/WorkFileXml.h"

namespace orvela {
namespace {

// The XML of one item with one finding; `item` and `finding` lines are set on top of the
// initial records.
std::string OneItemXml(const std::vector<std::pair<std::string_view, std::string>>& item,
                     const std::vector<std::pair<std::string_view, std::string>>& finding) {
  WorkFileData data;
  ResetWorkFileData(data, test::FixedStamps());
  FieldList record = NewStructureItemRecord(data.lastItemId);
  for (const auto& [k, v] : item) record.setValue(k, v);
  FieldList f = NewPanelFindingRecord();
  for (const auto& [k, v] : finding) f.setValue(k, v);
  record.setValue(key::FINDINGS, ListToText({f}));
  data.structure.append(nullptr, std::move(record));
  return BuildWorkFileXml(data);
}

std::string Between(const std::string& text, std::string_view from, std::string_view to) {
  const std::size_t a = text.find(from);
  if (a == std::string::npos) return "<" + std::string(from) + " missing>";
  const std::size_t b = text.find(to, a);
  return text.substr(a, b == std::string::npos ? std::string::npos : b + to.size() - a);
}

TEST(EvidenceFieldsXml, WrittenAfterTheFixedAttributesInTheirOrder) {
  const std::string xml = OneItemXml(
      // Set in another order than written: the writer's order is fixed, not the record's.
      {{key::REVIEW_DIGEST, "0123456789abcdef"},
       {key::REVIEW_NOTE, "Bitte\r\nBelege \"A\" & <B>"},
       {key::REVIEWED_AT, "10.12.2024 09:00:00"},
       {key::PREPARED_BY, "HOST/pr\xFC" "fer"},
       {key::REVIEWED_BY, "HOST/leiter"},
       {key::PREPARED_AT, "09.12.2024"}},
      {{key::DONE_AT, "31.01.2025"}, {key::STATUS, "2"}, {key::RESPONSIBLE, "M. M\xFCller"}, {key::RESPONSE, "Wird\r\numgesetzt."}});
  EXPECT_EQ(Between(xml, "STATE-EXPANDED=", ">"),
            "STATE-EXPANDED=\"False\" PREPARED-BY=\"HOST/pr\xFC" "fer\" PREPARED-AT=\"09.12.2024\" "
            "REVIEWED-BY=\"HOST/leiter\" REVIEWED-AT=\"10.12.2024 09:00:00\" "
            "REVIEW-NOTE=\"Bitte\r\nBelege &quot;A&quot; &amp; &lt;B&gt;\" REVIEW-DIGEST=\"0123456789abcdef\">");
  EXPECT_EQ(Between(xml, "DEADLINE=", "</FINDING>"),
            "DEADLINE=\"\" STATUS=\"2\" RESPONSE=\"Wird\r\numgesetzt.\" RESPONSIBLE=\"M. M\xFCller\" "
            "DONE-AT=\"31.01.2025\"></FINDING>");
}

TEST(EvidenceFieldsXml, OnlyFieldsWithAValueAreWritten) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string_view, std::string>> item, finding;
    std::string itemTail, findingTail;  // what follows STATE-EXPANDED="False" and DEADLINE=""
  };
  const Case cases[] = {
      {"none", {}, {}, ">", "></FINDING>"},
      {"reviewer only", {{key::REVIEWED_BY, "X/y"}}, {}, " REVIEWED-BY=\"X/y\">", "></FINDING>"},
      {"note only", {{key::REVIEW_NOTE, "n"}}, {}, " REVIEW-NOTE=\"n\">", "></FINDING>"},
      {"status only", {}, {{key::STATUS, "0"}}, ">", " STATUS=\"0\"></FINDING>"},
      {"done date only", {}, {{key::DONE_AT, "01.02.2025"}}, ">", " DONE-AT=\"01.02.2025\"></FINDING>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string xml = OneItemXml(c.item, c.finding);
    EXPECT_EQ(Between(xml, "STATE-EXPANDED=\"False\"", ">"), "STATE-EXPANDED=\"False\"" + c.itemTail);
    EXPECT_EQ(Between(xml, "DEADLINE=\"\"", "</FINDING>"), "DEADLINE=\"\"" + c.findingTail);
  }
}

TEST(EvidenceFieldsXml, EveryFieldRoundTrips) {
  // Values that have to come back unchanged: line breaks, quotes, markup, bytes 128-255,
  // stamps in forms the program does not write, and unknown status numbers.
  const std::string odd[] = {"HOST/pr\xFC" "fer", "a\r\nb\nc", "\"'&<>", "\x80\x9F\xA0\xFF", "2024-12-09T14:03",
                             "  ", "7", "&#65;"};
  const std::string_view itemKeys[] = {key::PREPARED_BY, key::PREPARED_AT, key::REVIEWED_BY,
                                       key::REVIEWED_AT, key::REVIEW_NOTE, key::REVIEW_DIGEST};
  const std::string_view findingKeys[] = {key::STATUS, key::RESPONSE, key::RESPONSIBLE, key::DONE_AT};
  for (const std::string& value : odd) {
    for (std::string_view k : itemKeys) {
      SCOPED_TRACE(std::string(k) + " = " + value);
      const std::string xml = OneItemXml({{k, value}}, {});
      WorkFileData read;
      ParseWorkFileXml(read, xml, {});
      ASSERT_FALSE(read.structure.empty());
      EXPECT_EQ(read.structure.inTreeOrder().front()->record.value(k), value);
      EXPECT_EQ(BuildWorkFileXml(read), xml);
    }
    for (std::string_view k : findingKeys) {
      SCOPED_TRACE(std::string(k) + " = " + value);
      const std::string xml = OneItemXml({}, {{k, value}});
      WorkFileData read;
      ParseWorkFileXml(read, xml, {});
      ASSERT_FALSE(read.structure.empty());
      const std::vector<FieldList> findings = TextToList(read.structure.inTreeOrder().front()->record.value(key::FINDINGS));
      ASSERT_EQ(findings.size(), 1u);
      EXPECT_EQ(findings.front().value(k), value);
      EXPECT_EQ(BuildWorkFileXml(read), xml);
    }
  }
}

TEST(EvidenceFieldsXml, ReadByNameInAnyPlaceAndLetterCase) {
  // Another program may put the attributes anywhere and spell them in any case.
  const std::string xml =
      "<?xml version=\"1.0\"?><ORVELA_WP_DOCUMENT><DATAINFO FILETYPE=\"ORVELA_WP_DOCUMENT\"></DATAINFO>"
      "<PROPERTIES_GENERAL/><PROPERTIES_RISK/><PROPERTIES_OU/><PROPERTIES_STAFF/><DOCUMENTS/><STRUCTURE>"
      "<STRUCTURE_ITEM reviewed-by='A/b' ID=\"1\" PARENT=\"0\" Prepared-At=\"heute\">"
      "<FINDINGS><FINDING status=\"3\" NAME=\"F\" responsible=\"X\"/></FINDINGS></STRUCTURE_ITEM>"
      "</STRUCTURE></ORVELA_WP_DOCUMENT>";
  WorkFileData read;
  ParseWorkFileXml(read, xml, {});
  ASSERT_FALSE(read.structure.empty());
  const FieldList& item = read.structure.inTreeOrder().front()->record;
  EXPECT_EQ(item.value(key::REVIEWED_BY), "A/b");
  EXPECT_EQ(item.value(key::PREPARED_AT), "heute");
  EXPECT_FALSE(item.hasKey(key::PREPARED_BY));
  const std::vector<FieldList> findings = TextToList(item.value(key::FINDINGS));
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings.front().lines(), (std::vector<std::string>{"NAME=F", "STATUS=3", "RESPONSIBLE=X"}));
}

}  // namespace
}  // namespace orvela
