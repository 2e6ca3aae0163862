#include "../TestRequirements.h"
#include "model/TextUtils.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace orvela {
namespace {

TEST(CaseMapping, Windows1252Pairs) {
  struct Case {
    unsigned char lower, upper;
  };
  const Case pairs[] = {{'a', 'A'}, {'z', 'Z'}, {0xE0, 0xC0}, {0xE4, 0xC4}, {0xF6, 0xD6}, {0xFC, 0xDC},
                        {0xFE, 0xDE}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}};
  for (const Case& c : pairs) {
    SCOPED_TRACE(int(c.lower));
    EXPECT_EQ(UpperCase1252(c.lower), c.upper);
    EXPECT_EQ(LowerCase1252(c.upper), c.lower);
    EXPECT_EQ(UpperCase1252(c.upper), c.upper);
    EXPECT_EQ(LowerCase1252(c.lower), c.lower);
  }
  // No partners: ß, µ, ÷, ×, digits, symbols.
  for (int b : {0xDF, 0xB5, 0xF7, 0xD7, int('1'), int('='), 0x80}) {
    const auto c = static_cast<unsigned char>(b);
    SCOPED_TRACE(int(c));
    EXPECT_EQ(UpperCase1252(c), c);
    EXPECT_EQ(LowerCase1252(c), c);
  }
}

TEST(CaseMapping, EveryByteMapsBackToItselfOrAPartner) {
  for (int b = 0; b < 256; ++b) {
    const auto c = static_cast<unsigned char>(b);
    const unsigned char u = UpperCase1252(c);
    if (u != c) {
      EXPECT_EQ(LowerCase1252(u), c) << b;
    }
  }
}

TEST(TextSearch, FindAndContain) {
  struct Case {
    const char* part;
    const char* text;
    std::size_t find;
    bool contains;
  };
  const Case cases[] = {
      {"/scan(x)/", "ab/SCAN(X)/", 3, false},
      {"/SCAN(X)/", "ab/SCAN(X)/", 3, true},
      {"b", "abcb", 2, true},
      {"", "abc", 0, false},
      {"abcd", "abc", 0, false},
      {"x", "", 0, false},
      {"\xC4rger", "viel \xE4RGER", 6, false},  // Ärger / äRGER
      {"stra\xDF" "e", "STRASSE", 0, false},    // ß has no upper-case partner
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.part);
    EXPECT_EQ(FindNoCase(c.part, c.text), c.find);
    EXPECT_EQ(ContainsExact(c.text, c.part), c.contains);
  }
  EXPECT_TRUE(EqualsNoCase("Einkauf - \xE4", "EINKAUF - \xC4"));
  EXPECT_FALSE(EqualsNoCase("abc", "abcd"));
  EXPECT_EQ(UpperCase("stra\xDF" "e \xFF"), "STRA\xDF" "E \x9F");
}

TEST(TextSearch, BeforeAndAfterMarker) {
  struct Case {
    const char* marker;
    const char* text;
    const char* before;
    const char* after;
  };
  const Case cases[] = {
      {" - ", "12 - Vertrag (C:\\x.doc)", "12", "Vertrag (C:\\x.doc)"},
      {" - ", "12", "12", ""},
      {"VALUE=", "ITEM=a,value=b", "ITEM=a,", "b"},
      {"VALUE=", "ITEM=a", "ITEM=a", ""},
      {"", "abc", "abc", ""},
      {"a", "a-a", "", "-a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.marker) + " in " + c.text);
    EXPECT_EQ(TextBefore(c.marker, c.text), c.before);
    EXPECT_EQ(TextAfter(c.marker, c.text), c.after);
  }
}

TEST(TextReplace, Matches) {
  struct Case {
    const char* name;
    const char* text;
    const char* search;
    const char* replacement;
    bool all, ignoreCase;
    const char* expected;
  };
  const Case cases[] = {
      {"no overlap, left to right", "aab", "ab", "x", true, false, "ax"},
      {"replacement not searched again", "a\\b", "\\", "\\\\", true, false, "a\\\\b"},
      {"first only", "xaxa", "x", "y", false, false, "yaxa"},
      {"all", "xaxa", "x", "y", true, false, "yaya"},
      {"exact case", "Xax", "x", "y", true, false, "Xay"},
      {"ignore case", "Xax", "x", "y", true, true, "yay"},
      {"ignore case umlaut", "\xC4" "a\xE4", "\xE4", "ae", true, true, "aeaae"},
      {"empty replacement deletes", "a--b--", "--", "", true, false, "ab"},
      {"no match", "abc", "z", "y", true, true, "abc"},
      {"match at end cut short", "abca", "ab", "", true, false, "ca"},
      {"search longer than text", "ab", "abc", "x", true, false, "ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReplaceMatches(c.text, c.search, c.replacement, c.all, c.ignoreCase), c.expected);
  }
}

TEST(TextSplit, AtChar) {
  using V = std::vector<std::string>;
  struct Case {
    std::string text;
    V pieces;
  };
  const Case cases[] = {
      {"a\x11\x11" "b\x11", {"a", "", "b"}},
      {"", {}},
      {"\x11", {""}},
      {"\x11" "a", {"", "a"}},
      {"abc", {"abc"}},
      {"a\x11" "b", {"a", "b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SplitAtChar(c.text, '\x11'), c.pieces);
  }
}

TEST(TextShape, PadTrimUnquoteCopy) {
  EXPECT_EQ(PadLeftTo(std::string(32, 'x'), 60, '0'), std::string(28, '0') + std::string(32, 'x'));
  EXPECT_EQ(PadLeftTo(std::string(61, 'x'), 60, '0'), std::string(61, 'x'));
  EXPECT_EQ(PadLeftTo("", 2, ' '), "  ");

  EXPECT_EQ(TrimLeadingChars("  C:\\Berichte  ", " "), "C:\\Berichte  ");
  EXPECT_EQ(TrimLeadingChars("   ", " "), "");

  struct Case {
    const char* text;
    const char* unquoted;
  };
  const Case quotes[] = {{"\"", "\""}, {"\"\"", ""}, {"'a'", "a"}, {"\"a'", "\"a'"},
                         {"\"a\"", "a"}, {"aba", "aba"}, {"", ""}};
  for (const Case& c : quotes) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Unquote(c.text), c.unquoted);
  }

  struct CopyCase {
    long long start, count;
    const char* expected;
  };
  const CopyCase copies[] = {{1, 3, "abc"}, {0, 2, "ab"}, {-5, 2, "ab"}, {4, 10, "de"},
                             {6, 1, ""},    {3, -1, ""},  {2, 0, ""},    {5, 1, "e"}};
  for (const CopyCase& c : copies) {
    SCOPED_TRACE(std::to_string(c.start) + "," + std::to_string(c.count));
    EXPECT_EQ(CopyText("abcde", c.start, c.count), c.expected);
  }
}

class WholeFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("orvela-model-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(dir_, ec);
  }
  std::string path(const char* name) const { return (dir_ / name).string(); }

  std::filesystem::path dir_;
};

TEST_F(WholeFile, WritesAndReadsEveryByte) {
  std::string all;
  for (int i = 0; i < 3; ++i) {
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  }
  const std::string p = path("bytes.bin");
  WriteWholeFile(p, all);
  EXPECT_EQ(ReadWholeFile(p), all);
}

TEST_F(WholeFile, EmptyTextEmptiesAnExistingFile) {
  const std::string p = path("x.txt");
  WriteWholeFile(p, "a longer content");
  WriteWholeFile(p, "short");
  EXPECT_EQ(ReadWholeFile(p), "short");
  WriteWholeFile(p, "");
  EXPECT_TRUE(std::filesystem::exists(p));
  EXPECT_EQ(std::filesystem::file_size(p), 0u);
  EXPECT_EQ(ReadWholeFile(p), "");
}

TEST_F(WholeFile, ReadsFilesOfUnknownSize) {
  // /proc files report size 0 but have content.
  EXPECT_FALSE(ReadWholeFile("/proc/self/status").empty());
}

TEST_F(WholeFile, FailuresNameThePath) {
  struct Case {
    const char* name;
    std::string path;
    bool write;
    std::string message;
  };
  const std::string missing = path("fehlt.owp");
  const std::string noDir = path("nicht/da/x.owp");
  const Case cases[] = {
      {"missing file", missing, false, "Die Datei " + missing + " kann nicht gelesen werden."},
      {"directory", dir_.string(), false, "Die Datei " + dir_.string() + " kann nicht gelesen werden."},
      {"empty path read", "", false, "Die Datei  kann nicht gelesen werden."},
      {"directory as target", dir_.string(), true,
       "Die Datei " + dir_.string() + " kann nicht geschrieben werden."},
      {"missing folder", noDir, true, "Die Datei " + noDir + " kann nicht geschrieben werden."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      if (c.write) {
        WriteWholeFile(c.path, "x");
      } else {
        ReadWholeFile(c.path);
      }
      ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
      EXPECT_EQ(e.what(), c.message);
      EXPECT_EQ(e.path(), c.path);
    }
  }
}

TEST_F(WholeFile, NoPermission) {
  ORVELA_SKIP_AS_ROOT("root ignores file permissions");
  const std::string p = path("locked.txt");
  WriteWholeFile(p, "secret");
  std::filesystem::permissions(p, std::filesystem::perms::none);
  EXPECT_THROW(ReadWholeFile(p), FileError);
  EXPECT_THROW(WriteWholeFile(p, "x"), FileError);
}

TEST_F(WholeFile, DiskFullIsAnError) {
  ORVELA_REQUIRE(std::filesystem::exists("/dev/full"), "the device /dev/full");
  EXPECT_THROW(WriteWholeFile("/dev/full", std::string(100000, 'x')), FileError);
}

}  // namespace
}  // namespace orvela
