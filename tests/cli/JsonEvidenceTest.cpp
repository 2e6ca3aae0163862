// Sign-offs and finding follow-up travel through the JSON form as record lines.
#include <gtest/gtest.h>

#include "cli/JsonForm.h"
#include "model/DelimitedText.h"
#include "model/EvidenceFields.h"
#include "model/srcGlobalDef.h"
#include "storage/WorkFileXml.h"

namespace orvela {
namespace {

TEST(JsonFormEvidence, SignOffsAndFollowUpRoundTrip) {
  WorkFileData data;
  data.description = "{\\rtf1}";
  FieldList item = NewStructureItemRecord(data.lastItemId);
  item.setValue(key::PREPARED_BY, "HOST/pr\xFC" "fer");
  item.setValue(key::PREPARED_AT, "09.12.2024 14:03:05");
  item.setValue(key::REVIEWED_BY, "HOST/\"leiter\"");
  item.setValue(key::REVIEWED_AT, "10.12.2024");
  item.setValue(key::REVIEW_NOTE, "Zeile 1\r\nZeile \x80 2");
  FieldList finding = NewPanelFindingRecord();
  finding.setValue(key::STATUS, "9");
  finding.setValue(key::RESPONSE, "Ja,\r\n\"sofort\"");
  finding.setValue(key::RESPONSIBLE, "M. M\xFCller");
  finding.setValue(key::DONE_AT, "31.01.2025");
  item.setValue(key::FINDINGS, ListToText({finding}));
  data.structure.append(nullptr, item);

  const std::string json = cli::WorkFileToJson(data);
  EXPECT_NE(json.find("\"REVIEW-NOTE=Zeile 1\\r\\nZeile \xE2\x82\xAC 2\""), std::string::npos) << json;
  WorkFileData back;
  cli::WorkFileFromJson(json, back);
  ASSERT_FALSE(back.structure.empty());
  EXPECT_EQ(back.structure.inTreeOrder().front()->record, item);
  EXPECT_EQ(BuildWorkFileXml(back), BuildWorkFileXml(data));
  EXPECT_EQ(cli::WorkFileToJson(back), json);
}

}  // namespace
}  // namespace orvela
