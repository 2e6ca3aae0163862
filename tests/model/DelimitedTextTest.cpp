#include "model/DelimitedText.h"

#include <gtest/gtest.h>

#include <random>

#include "model/srcGlobalProc.h"

namespace orvela {
namespace {

using Lines = std::vector<std::string>;

TEST(CommaText, Writing) {
  struct Case {
    const char* name;
    Lines lines;
    std::string text;
  };
  const Case cases[] = {
      {"empty list", {}, ""},
      {"one empty line", {""}, "\"\""},
      {"two empty lines", {"", ""}, ","},
      {"plain lines", {"ID=1", "NAME=x"}, "ID=1,NAME=x"},
      {"blank quotes", {"NAME=a b"}, "\"NAME=a b\""},
      {"comma quotes", {"a,b"}, "\"a,b\""},
      {"quote doubled", {"say \"hi\""}, "\"say \"\"hi\"\"\""},
      {"line break quotes", {"A=x\r\ny"}, "\"A=x\r\ny\""},
      {"DC1 quotes", {"F=a\x11" "b"}, "\"F=a\x11" "b\""},
      {"high bytes stay plain", {"\xE4\xFF\x80"}, "\xE4\xFF\x80"},
      {"empty line in the middle", {"a", "", "b"}, "a,,b"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(WriteCommaText(c.lines), c.text);
  }
}

TEST(CommaText, Reading) {
  struct Case {
    const char* name;
    std::string text;
    Lines lines;
  };
  const Case cases[] = {
      {"empty text", "", {}},
      {"only blanks", "  \r\n ", {}},
      {"blanks separate tokens", "a b", {"a", "b"}},
      {"two quotes give one empty line", "\"\"", {""}},
      {"empty line between", "a,,b", {"a", "", "b"}},
      {"leading comma", ",a", {"", "a"}},
      {"trailing comma", "a,", {"a", ""}},
      {"text after closing quote starts a token", "\"a b\"c", {"a b", "c"}},
      {"doubled quote", "\"x\"\"y\"", {"x\"y"}},
      {"blanks around comma skipped", " a ,  b ", {"a", "b"}},
      {"unterminated quote takes the rest", "\"a,b", {"a,b"}},
      {"quote inside a plain token is kept", "a\"b", {"a\"b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadCommaText(c.text), c.lines);
  }
}

TEST(CommaText, NulCannotStopTheReader) {
  // Unquoted NUL must neither hang the reader nor lose the rest of the text.
  EXPECT_EQ(ReadCommaText(std::string("a\0b", 3)), (Lines{"a", "b"}));
  const Lines withNul = {std::string("x\0y", 3), "z"};
  EXPECT_EQ(ReadCommaText(WriteCommaText(withNul)), withNul);
}

// Lines of the characters that matter to the encoding, with bytes 128-255 and empty lines.
Lines RandomLines(std::mt19937& rng, bool allowEmpty) {
  static const std::string alphabet = std::string("ab=\",\x07\x11 \r\n\t'") + std::string(1, '\0') + "\xE4\x80\xFF\x81";
  std::uniform_int_distribution<int> count(0, 6), length(0, 8), pick(0, static_cast<int>(alphabet.size()) - 1),
      high(128, 255), kind(0, 9);
  Lines lines(static_cast<std::size_t>(count(rng)));
  for (std::string& line : lines) {
    const int n = length(rng);
    for (int i = 0; i < n; ++i) {
      line += kind(rng) == 0 ? static_cast<char>(high(rng)) : alphabet[static_cast<std::size_t>(pick(rng))];
    }
    if (!allowEmpty && line.empty()) line = "k";
  }
  return lines;
}

TEST(CommaText, GeneratedListsRoundTrip) {
  std::mt19937 rng(20240901);
  for (int i = 0; i < 5000; ++i) {
    const Lines lines = RandomLines(rng, true);
    const std::string text = WriteCommaText(lines);
    ASSERT_EQ(ReadCommaText(text), lines) << "comma text: " << text;
  }
}

TEST(NodePayload, GeneratedRecordsRoundTrip) {
  std::mt19937 rng(77);
  std::string stream;
  std::vector<FieldList> records;
  for (int i = 0; i < 2000; ++i) {
    records.emplace_back(RandomLines(rng, false));
    stream += SaveNodePayload(records.back());
  }
  std::size_t offset = 0;
  for (const FieldList& expected : records) {
    const auto loaded = LoadNodePayload(stream, offset);
    ASSERT_TRUE(loaded.has_value());
    ASSERT_EQ(*loaded, expected);
  }
  EXPECT_EQ(offset, stream.size());
}

TEST(NodePayload, Layout) {
  const FieldList record({"ID=1", "NAME=a b"});
  const std::string text = "ID=1\x07\"NAME=a b\"";
  const std::string payload = SaveNodePayload(record);
  ASSERT_EQ(payload.size(), 4 + text.size());
  EXPECT_EQ(payload.substr(0, 4), std::string("\x0F\0\0\0", 4));
  EXPECT_EQ(payload.substr(4), text);
}

TEST(NodePayload, RunsOfControlCharactersSeparateOnce) {
  // Empty lines are not reproduced: every run of codes 1-32 between tokens is one separator.
  const std::string text = "a\x07\x07 b\x07";
  std::string payload = std::string(1, static_cast<char>(text.size())) + std::string(3, '\0') + text;
  std::size_t offset = 0;
  EXPECT_EQ(LoadNodePayload(payload, offset), FieldList({"a", "b"}));
}

TEST(NodePayload, RefusesBrokenInputSafely) {
  struct Case {
    const char* name;
    std::string data;
    std::size_t offset;
  };
  const Case cases[] = {
      {"no length", std::string("\x01\0", 2), 0},
      {"negative length", std::string("\xFF\xFF\xFF\xFF" "abc", 7), 0},
      {"most negative length", std::string("\0\0\0\x80" "abc", 7), 0},
      {"length past the end", std::string("\x05\0\0\0" "abc", 7), 0},
      {"huge length", std::string("\xFF\xFF\xFF\x7F" "abc", 7), 0},
      {"offset past the end", std::string("\0\0\0\0", 4), 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::size_t offset = c.offset;
    EXPECT_FALSE(LoadNodePayload(c.data, offset).has_value());
    EXPECT_EQ(offset, c.offset);
  }
}

TEST(NodePayload, ZeroLengthGivesAnEmptyRecord) {
  const std::string data("\0\0\0\0", 4);
  std::size_t offset = 0;
  const auto record = LoadNodePayload(data, offset);
  ASSERT_TRUE(record.has_value());
  EXPECT_TRUE(record->empty());
  EXPECT_EQ(offset, 4u);
}

TEST(ListText, JoinAndSplit) {
  const std::vector<FieldList> rows = {FieldList({"NAME=Neue Feststellung", "TYPE="}), FieldList({"NAME=b"})};
  const std::string text = ListToText(rows);
  EXPECT_EQ(text, "\"NAME=Neue Feststellung\",TYPE=\x11NAME=b");
  EXPECT_EQ(TextToList(text), rows);
  EXPECT_EQ(TextToList(text + "\x11"), rows);
  EXPECT_EQ(ListToText({}), "");
  EXPECT_TRUE(TextToList("").empty());
  EXPECT_EQ(SplitListText("a\x11\x11" "b"), (Lines{"a", "", "b"}));

  std::vector<FieldList> existing = {FieldList({"X=1"})};
  TextToList(existing, text);
  ASSERT_EQ(existing.size(), 3u);
  EXPECT_EQ(existing[0], FieldList({"X=1"}));
  EXPECT_EQ(existing[2], rows[1]);
}

TEST(ListText, FindingWithQuotedUnitsSurvives) {
  FieldList finding({"NAME=F", "OU="});
  finding.setValue("OU", WriteCommaText({"Einkauf - 1 a", "Verkauf - \"2\""}));
  const std::vector<FieldList> rows = {finding, FieldList({"NAME=G"})};
  const auto back = TextToList(ListToText(rows));
  ASSERT_EQ(back, rows);
  EXPECT_EQ(ReadCommaText(back[0].value("OU")), (Lines{"Einkauf - 1 a", "Verkauf - \"2\""}));
}

}  // namespace
}  // namespace orvela
