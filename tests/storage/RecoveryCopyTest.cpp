// The recovery copy's record and check sum: what is written reads back, and every kind of
// damage is told apart from an intact copy.
#include <gtest/gtest.h>

#include <functional>

#include "storage/Envelope.h"
#include "storage/RecoveryCopy.h"

namespace orvela {
namespace {

using Status = ReadRecoveryCopy::Status;

const std::string kContent = BuildEnvelope("<?xml version=\"1.0\"?>\r\n<ORVELA_WORKFILE>\r\n\n\n\xE4</ORVELA_WORKFILE>\r\n");

RecoveryRecord SampleRecord() {
  RecoveryRecord r;
  r.originalPath = "/home/pr\xC3\xBC" "fer/Audit 2024.owp";
  r.savedMs = 1765465200123;
  r.pid = 4242;
  r.host = "pc-17";
  r.original = OriginalState{1765460000999, 81234};
  return r;
}

TEST(RecoveryCopy, RecordsReadBackAsWritten) {
  struct Case {
    const char* name;
    std::function<void(RecoveryRecord&)> change;
    std::string content;
  };
  const Case cases[] = {
      {"full record", [](RecoveryRecord&) {}, kContent},
      {"never saved: no path, no file on disk", [](RecoveryRecord& r) { r.originalPath.clear(); r.original.reset(); }, kContent},
      {"path with line breaks and backslashes", [](RecoveryRecord& r) { r.originalPath = "/a\\n/b\n\nc\r\\"; }, kContent},
      {"empty host", [](RecoveryRecord& r) { r.host.clear(); }, kContent},
      {"empty content", [](RecoveryRecord&) {}, ""},
      {"content that looks like a record", [](RecoveryRecord&) {}, "ORVELA-WP-RECOVERY 1\npath /x\n\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecoveryRecord record = SampleRecord();
    c.change(record);
    const ReadRecoveryCopy read = ParseRecoveryCopy(BuildRecoveryCopy(record, c.content));
    EXPECT_EQ(read.status, Status::Intact);
    EXPECT_EQ(read.record, record);
    EXPECT_EQ(read.content, c.content);
  }
}

TEST(RecoveryCopy, DamageIsRecognised) {
  const std::string good = BuildRecoveryCopy(SampleRecord(), kContent);
  const std::size_t contentStart = good.size() - kContent.size();
  struct Case {
    const char* name;
    std::function<std::string()> bytes;
    Status expected;
  };
  const Case cases[] = {
      {"one byte of the content altered", [&] { std::string b = good; b[contentStart + 100] ^= 0x20; return b; }, Status::Damaged},
      {"cut short", [&] { return good.substr(0, good.size() - 7); }, Status::Damaged},
      {"bytes appended", [&] { return good + "x"; }, Status::Damaged},
      {"check sum altered", [&] {
         std::string b = good;
         b[good.find("\nmd5 ") + 5] ^= 1;
         return b;
       }, Status::Damaged},
      {"cut inside the record", [&] { return good.substr(0, good.find("\nsize")); }, Status::Unreadable},
      {"empty file", [] { return std::string(); }, Status::Unreadable},
      {"a plain work file", [] { return kContent; }, Status::Unreadable},
      {"record without check sum", [&] {
         std::string b = good;
         const std::size_t at = b.find("\nmd5 ");
         return b.erase(at, b.find('\n', at + 1) - at);
       }, Status::Unreadable},
      {"pid not a number", [&] {
         std::string b = good;
         return b.replace(b.find("pid 4242"), 8, "pid 42x2");
       }, Status::Unreadable},
      {"broken escape in the path", [] {
         return std::string("ORVELA-WP-RECOVERY 1\npath /a\\q\nsaved 1\npid 1\nhost h\nsize 0\nmd5 ") + Md5Hex("") + "\n\n";
       }, Status::Unreadable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ReadRecoveryCopy read = ParseRecoveryCopy(c.bytes());
    EXPECT_EQ(read.status, c.expected);
    if (c.expected == Status::Damaged) {
      EXPECT_EQ(read.record.originalPath, SampleRecord().originalPath);
    }
  }
}

TEST(RecoveryCopy, UnknownRecordLinesArePassedOver) {
  std::string bytes = BuildRecoveryCopy(SampleRecord(), kContent);
  bytes.insert(bytes.find("\nsize"), "\nnewer-field some value");
  const ReadRecoveryCopy read = ParseRecoveryCopy(bytes);
  EXPECT_EQ(read.status, Status::Intact);
  EXPECT_EQ(read.record, SampleRecord());
}

}  // namespace
}  // namespace orvela
