// Sign-offs of structure items and the rule that marks an item changed after its review.
#include <gtest/gtest.h>

#include <functional>

#include "model/DelimitedText.h"
#include "model/EvidenceFields.h"
#include "model/ItemDetailRules.h"
#include "model/ItemSignOff.h"
#include "model/srcGlobalDef.h"

namespace orvela {
namespace {

// Applies `edit` to the item's contents the way the panel and the properties dialog do.
FieldList Edited(const FieldList& item, const std::function<void(ItemDetails&)>& edit) {
  WorkFileData data;
  data.ouDefs = ListToText({FieldList({"ITEM=EK", "VALUE=Einkauf"})});
  ItemDetails details = LoadItemDetails(item, data);
  edit(details);
  FieldList out = item;
  WriteItemDetails(out, details);
  return out;
}

FieldList Prepared(const FieldList& item) {
  return Edited(item, [](ItemDetails& d) { SignAsPrepared(d, "HOST/a", "09.12.2024 10:00:00"); });
}
FieldList Reviewed(const FieldList& item) {
  return Edited(item, [](ItemDetails& d) { SignAsReviewed(d, "HOST/b", "10.12.2024 11:00:00"); });
}

FieldList ReviewedItem() {
  int lastId = 4;
  FieldList item = NewStructureItemRecord(lastId);
  item.setValue(key::DESCRIPTION, "Kasse\r\npr\xFC" "fen");
  item.setValue(key::FINDINGS, ListToText({FieldList({"NAME=Fehlbetrag", "STATUS=1"})}));
  return Reviewed(Prepared(item));
}

TEST(ItemSignOff, WhatCountsAsContent) {
  struct Case {
    const char* what;
    std::function<void(FieldList&)> change;
    bool changed;
  };
  const Case cases[] = {
      {"nothing", [](FieldList&) {}, false},
      {"name", [](FieldList& i) { i.setValue(key::NAME, "Kasse"); }, true},
      {"risk", [](FieldList& i) { i.setValue(key::RISK, "hoch"); }, true},
      {"ticked units", [](FieldList& i) { i.setValue(key::OU_X, "Einkauf"); }, true},
      {"offered units", [](FieldList& i) { i.setValue(key::OU_UX, "Verkauf"); }, false},
      {"work state", [](FieldList& i) { i.setValue(key::WORKSTATE, "completed"); }, true},
      {"description", [](FieldList& i) { i.setValue(key::DESCRIPTION, "Kasse\r\npr\xFC" "fen."); }, true},
      {"result", [](FieldList& i) { i.setValue(key::RESULT, "ok"); }, true},
      {"documents", [](FieldList& i) { i.setValue(key::DOCUMENTS, "3"); }, true},
      {"a finding's follow-up",
       [](FieldList& i) { i.setValue(key::FINDINGS, ListToText({FieldList({"NAME=Fehlbetrag", "STATUS=2"})})); },
       true},
      {"a finding removed", [](FieldList& i) { i.setValue(key::FINDINGS, ""); }, true},
      {"a value moved between fields",
       [](FieldList& i) {
         i.setValue(key::RESULT, i.value(key::DESCRIPTION));
         i.setValue(key::DESCRIPTION, "");
       },
       true},
      {"the number (renumbering)", [](FieldList& i) { i.setValue(key::ID, "17"); }, false},
      {"the review note", [](FieldList& i) { i.setValue(key::REVIEW_NOTE, "Belege fehlen"); }, false},
      {"the preparer's sign-off", [](FieldList& i) { i.setValue(key::PREPARED_BY, "HOST/c"); }, false},
      {"the reviewer's stamp", [](FieldList& i) { i.setValue(key::REVIEWED_AT, "gestern"); }, false},
      {"a change made and taken back",
       [](FieldList& i) {
         i.setValue(key::NAME, "x");
         i.setValue(key::NAME, "Neues Element - 5");
       },
       false},
      {"accepted in the panel without a change", [](FieldList& i) { i = Edited(i, [](ItemDetails&) {}); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FieldList item = ReviewedItem();
    ASSERT_EQ(ItemSignOffState(item), SignOffState::Reviewed);
    c.change(item);
    EXPECT_EQ(ChangedAfterReview(item), c.changed);
    EXPECT_EQ(ItemSignOffState(item), c.changed ? SignOffState::ChangedAfterReview : SignOffState::Reviewed);
    // Signing again covers the content as it is now.
    EXPECT_EQ(ItemSignOffState(Reviewed(item)), SignOffState::Reviewed);
  }
}

TEST(ItemSignOff, ReviewSignedTogetherWithAnEditCoversTheEdit) {
  const FieldList item = Edited(ReviewedItem(), [](ItemDetails& d) {
    d.result = "ohne Befund";
    SignAsReviewed(d, "HOST/b", "11.12.2024");
  });
  EXPECT_EQ(ItemSignOffState(item), SignOffState::Reviewed);
  // An edit without signing after a review leaves the review as it was.
  const FieldList later = Edited(item, [](ItemDetails& d) { d.result = "mit Befund"; });
  EXPECT_EQ(later.value(key::REVIEWED_AT), "11.12.2024");
  EXPECT_EQ(ItemSignOffState(later), SignOffState::ChangedAfterReview);
}

TEST(ItemSignOff, StatesAndRemovingTheLatestSignOff) {
  int lastId = 0;
  const FieldList open = NewStructureItemRecord(lastId);
  const FieldList prepared = Prepared(open);
  const FieldList reviewed = Reviewed(prepared);
  FieldList foreignReview = open;  // reviewed by a program that keeps no digest
  foreignReview.setValue(key::REVIEWED_BY, "X/y");

  struct Case {
    const char* what;
    FieldList item;
    SignOffState state;
    SignOffState afterRemoval;
  };
  const Case cases[] = {
      {"open", open, SignOffState::Open, SignOffState::Open},
      {"prepared", prepared, SignOffState::Prepared, SignOffState::Open},
      {"reviewed", reviewed, SignOffState::Reviewed, SignOffState::Prepared},
      {"reviewed without preparation", Reviewed(open), SignOffState::Reviewed, SignOffState::Open},
      {"review without digest", foreignReview, SignOffState::Reviewed, SignOffState::Open},
      {"only a date", FieldList({"PREPARED-AT=01.01.2025"}), SignOffState::Prepared, SignOffState::Open},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ItemSignOffState(c.item), c.state);
    EXPECT_EQ(ItemSignOffState(Edited(c.item, RemoveLatestSignOff)), c.afterRemoval);
  }

  FieldList noted = reviewed;
  noted.setValue(key::REVIEW_NOTE, "bitte erg\xE4nzen");
  const FieldList back = Edited(noted, RemoveLatestSignOff);
  EXPECT_EQ(back.value(key::REVIEW_NOTE), "bitte erg\xE4nzen");
  EXPECT_FALSE(back.hasKey(key::REVIEW_DIGEST));
  EXPECT_EQ(back.value(key::PREPARED_BY), "HOST/a");
  EXPECT_EQ(reviewed.value(key::REVIEWED_BY), "HOST/b");
  EXPECT_EQ(reviewed.value(key::REVIEWED_AT), "10.12.2024 11:00:00");
}

}  // namespace
}  // namespace orvela
