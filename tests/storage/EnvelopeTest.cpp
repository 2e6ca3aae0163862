// The header in front of the XML text and the integrity test.
#include <gtest/gtest.h>

#include "StorageTestSupport.h"
#include "model/TextUtils.h"
#include "storage/WorkFileStorage.h"

namespace orvela {
namespace {

TEST(Envelope, Md5OfKnownTexts) {
  EXPECT_EQ(Md5Hex(""), "D41D8CD98F00B204E9800998ECF8427E");
  EXPECT_EQ(Md5Hex("abc"), "900150983CD24FB0D6963F7D28E17F72");
  EXPECT_EQ(CheckField(""), std::string(28, '0') + "D41D8CD98F00B204E9800998ECF8427E");
}

TEST(Envelope, SavedFileCarriesDigestOfItsXml) {
  test::TempDir dir;
  WorkFileData data;
  test::GenerateWorkFile(data, 11, 30);
  const std::string path = dir.file("a.owp");
  ASSERT_TRUE(SaveWorkFile(data, path, test::FixedStamps()).ok);
  const std::string content = ReadWholeFile(path);
  ASSERT_GT(content.size(), kHeaderSize);
  EXPECT_EQ(content.substr(0, 12), "OVWP00000001");
  EXPECT_EQ(content.substr(12, 28), std::string(28, '0'));
  EXPECT_EQ(content.substr(40, 32), Md5Hex(content.substr(72)));
  EXPECT_EQ(content.substr(72), BuildWorkFileXml(data));
  EXPECT_TRUE(CheckFileIntegrity(path));
}

TEST(Envelope, IntegrityOfContents) {
  const std::string xml = "<?xml version=\"1.0\"?>\r\n<ORVELA_WP_DOCUMENT></ORVELA_WP_DOCUMENT>\r\n";
  const std::string good = BuildEnvelope(xml);
  auto changed = [&](std::size_t at, char to) {
    std::string s = good;
    s[at] = to;
    return s;
  };
  std::string lowerHex = good;
  for (std::size_t i = 40; i < 72; ++i) lowerHex[i] = static_cast<char>(std::tolower(lowerHex[i]));
  ASSERT_NE(lowerHex, good);

  struct Case {
    const char* name;
    std::string content;
    bool accepted;
  };
  const Case cases[] = {
      {"as written", good, true},
      {"header of the empty text", "OVWP00000001" + CheckField(""), true},
      {"empty text digest with a trailing byte", "OVWP00000001" + CheckField("") + "x", false},
      {"header-less XML", xml, false},
      {"empty file", "", false},
      {"magic only", "OVWP00000001", false},
      {"cut inside the check field", good.substr(0, 50), false},
      {"magic in lower case", "ovwp" + good.substr(4), false},
      {"other magic", changed(11, '2'), false},
      {"one of the leading zeros", changed(20, '1'), false},
      {"lower-case hexadecimal", lowerHex, false},
      {"byte 72 flipped", changed(72, static_cast<char>(good[72] ^ 1)), false},
      {"last byte flipped", changed(good.size() - 1, static_cast<char>(good.back() ^ 0x80)), false},
      {"one byte cut off", good.substr(0, good.size() - 1), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EnvelopeIsIntact(c.content), c.accepted);
  }
}

TEST(Envelope, EveryByteAfterTheHeaderCounts) {
  const std::string good = BuildEnvelope("<A B=\"x\"></A>");
  for (std::size_t at = kHeaderSize; at < good.size(); ++at) {
    std::string s = good;
    s[at] = static_cast<char>(s[at] + 1);
    EXPECT_FALSE(EnvelopeIsIntact(s)) << at;
  }
}

TEST(Envelope, FilesOnDisk) {
  test::TempDir dir;
  const std::string path = dir.file("x.owp");
  WriteWholeFile(path, "OVWP00000001" + CheckField(""));
  EXPECT_TRUE(CheckFileIntegrity(path));
  EXPECT_FALSE(CheckFileIntegrity(dir.file("missing.owp")));
  EXPECT_FALSE(CheckFileIntegrity(dir.path().string()));  // a folder counts as missing

  // With the check switched off the file is not even looked at.
  EXPECT_TRUE(CheckWorkFile(dir.file("missing.owp"), true));
  EXPECT_FALSE(CheckWorkFile(dir.file("missing.owp"), false));
  WriteWholeFile(path, "<A/>");
  EXPECT_TRUE(CheckWorkFile(path, true));
  EXPECT_FALSE(CheckWorkFile(path, false));
}

}  // namespace
}  // namespace orvela
