#include "model/FindingRules.h"

#include <algorithm>
#include <cstdio>

#include "model/Cp1252.h"
#include "model/DelimitedText.h"
#include "model/EvidenceFields.h"
#include "model/TextUtils.h"
#include "model/srcGlobalDef.h"

namespace orvela {
namespace {

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Reads 1 to `maxDigits` decimal digits at `pos`; nothing when there is no digit.
std::optional<int> ReadNumber(std::string_view text, std::size_t& pos, std::size_t minDigits, std::size_t maxDigits) {
  std::size_t start = pos;
  int value = 0;
  while (pos < text.size() && pos - start < maxDigits && text[pos] >= '0' && text[pos] <= '9')
    value = value * 10 + (text[pos++] - '0');
  if (pos - start < minDigits) return std::nullopt;
  return value;
}

}  // namespace

std::optional<CalendarDate> ParseShortDate(std::string_view text) {
  std::size_t pos = 0;
  const auto day = ReadNumber(text, pos, 1, 2);
  if (!day || pos >= text.size() || text[pos++] != '.') return std::nullopt;
  const auto month = ReadNumber(text, pos, 1, 2);
  if (!month || pos >= text.size() || text[pos++] != '.') return std::nullopt;
  const auto year = ReadNumber(text, pos, 4, 4);
  if (!year || pos != text.size()) return std::nullopt;
  if (*month < 1 || *month > 12 || *year < 1 || *day < 1 || *day > DaysInMonth(*year, *month)) return std::nullopt;
  return CalendarDate{*year, *month, *day};
}

std::string ShortDateText(const CalendarDate& date) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", date.day, date.month, date.year);
  return buf;
}

namespace {
// Built by appending: gcc 12 raises a false -Wrestrict alarm on "'" + std::string at -O3.
std::string InvalidDateMessage(std::string_view cp1252Text) {
  std::string message = "'";
  message += Cp1252ToUtf8(cp1252Text);
  message += "' ist kein g\xC3\xBCltiges Datum";
  return message;
}
}  // namespace

InvalidDateError::InvalidDateError(std::string_view cp1252Text)
    : std::runtime_error(InvalidDateMessage(cp1252Text)) {}

std::string TextBeforeBlank(std::string_view text) {
  return std::string(text.substr(0, std::min(text.find(' '), text.size())));
}

FindingForm PrepareFindingForm(FieldList& record, std::string_view riskDefs, const std::vector<std::string>& ouSource,
                               const std::vector<std::string>& documentSource) {
  FindingForm form;
  form.name = record.value(key::NAME);

  if (record.value(key::TYPE).empty()) record.setValue(key::TYPE, "0");
  const std::string type = record.value(key::TYPE);
  if (type == "0" || type == "1" || type == "2") form.typeIndex = type[0] - '0';

  form.riskEntries = DefinitionDisplayTexts(riskDefs);
  const std::string risk = record.value(key::RISK);
  const auto found = std::find_if(form.riskEntries.begin(), form.riskEntries.end(),
                                  [&risk](const std::string& e) { return EqualsNoCase(e, risk); });
  if (found != form.riskEntries.end()) {
    form.riskIndex = static_cast<int>(found - form.riskEntries.begin());
    form.riskText = *found;
  }

  const std::vector<std::string> units = ReadCommaText(record.value(key::OU));
  for (const std::string& entry : ouSource) {
    const bool tick =
        std::any_of(units.begin(), units.end(), [&entry](const std::string& u) { return EqualsNoCase(u, entry); });
    form.ouEntries.push_back({entry, tick});
  }

  const std::vector<std::string> evidence = ReadCommaText(record.value(key::EVIDENCE));
  for (const std::string& entry : documentSource) {
    const std::string id = TextBeforeBlank(entry);
    const bool tick = std::any_of(evidence.begin(), evidence.end(),
                                  [&id](const std::string& e) { return TextBeforeBlank(e) == id; });
    form.evidenceEntries.push_back({entry, tick});
  }

  form.description = record.value(key::DESCRIPTION);

  if (record.value(key::DEADLINE).empty()) record.setValue(key::DEADLINE, kNoDeadline);
  const std::string deadline = record.value(key::DEADLINE);
  const auto date = ParseShortDate(deadline);
  if (!date) throw InvalidDateError(deadline);
  form.deadline = *date;

  form.statusIndex = FindingStatusIndex(record.value(key::STATUS));
  form.responsible = record.value(key::RESPONSIBLE);
  form.response = record.value(key::RESPONSE);
  form.doneAt = ParseShortDate(record.value(key::DONE_AT));
  return form;
}

void WriteFindingForm(FieldList& record, const FindingForm& form) {
  record.setValue(key::NAME, form.name);
  record.setValue(key::TYPE, std::to_string(form.typeIndex < 0 ? -1 : form.typeIndex));
  record.setValue(key::RISK, form.riskText);
  std::vector<std::string> units, ids;
  for (const CheckEntry& e : form.ouEntries)
    if (e.checked) units.push_back(e.text);
  for (const CheckEntry& e : form.evidenceEntries)
    if (e.checked) ids.push_back(TextBeforeBlank(e.text));
  record.setValue(key::OU, "");
  record.setValue(key::OU, WriteCommaText(units));
  record.setValue(key::EVIDENCE, "");
  record.setValue(key::EVIDENCE, WriteCommaText(ids));
  record.setValue(key::DESCRIPTION, form.description);
  record.setValue(key::DEADLINE, ShortDateText(form.deadline));

  if (form.statusIndex != FindingStatusIndex(record.value(key::STATUS)))
    record.setValue(key::STATUS, std::to_string(form.statusIndex));
  record.setValue(key::RESPONSE, form.response);
  record.setValue(key::RESPONSIBLE, form.responsible);
  if (form.doneAt != ParseShortDate(record.value(key::DONE_AT)))
    record.setValue(key::DONE_AT, form.doneAt ? ShortDateText(*form.doneAt) : std::string());
}

}  // namespace orvela
