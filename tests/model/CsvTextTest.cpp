#include <gtest/gtest.h>

#include "model/CsvText.h"

namespace orvela {
namespace {

TEST(CsvText, QuotesOnlyWhereNeeded) {
  struct Case {
    const char* name;
    std::vector<std::string> fields;
    char separator;
    std::string row;
  };
  const Case cases[] = {
      {"plain", {"a", "b c", ""}, ';', "a;b c;\r\n"},
      {"separator", {"a;b", "a,b"}, ';', "\"a;b\";a,b\r\n"},
      {"comma separator", {"a;b", "a,b"}, ',', "a;b,\"a,b\"\r\n"},
      {"quote doubled", {"sagt \"ja\""}, ';', "\"sagt \"\"ja\"\"\"\r\n"},
      {"line breaks", {"1\r\n2", "3\n"}, ';', "\"1\r\n2\";\"3\n\"\r\n"},
      {"no fields", {}, ';', "\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string out;
    AppendCsvRow(out, c.fields, c.separator);
    EXPECT_EQ(out, c.row);
  }
}

TEST(CsvText, Dates) {
  struct Case {
    const char* text;
    const char* padded;
    const char* iso;
  };
  const Case cases[] = {
      {"1.2.2027", "01.02.2027", "2027-02-01"}, {"31.12.2026", "31.12.2026", "2026-12-31"},
      {"", "", ""},                             {"bald", "bald", "bald"},
      {"32.01.2026", "32.01.2026", "32.01.2026"}, {"1.13.2026", "1.13.2026", "1.13.2026"},
      {"01.01.26", "01.01.26", "01.01.26"},       {"001.01.2026", "001.01.2026", "001.01.2026"},
      {"1.1.2026 ", "1.1.2026 ", "1.1.2026 "},    {"+1.1.2026", "+1.1.2026", "+1.1.2026"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(PaddedDate(c.text), c.padded);
    EXPECT_EQ(IsoDate(c.text), c.iso);
  }
}

}  // namespace
}  // namespace orvela
