#pragma once
// The finding properties dialog's rules: what its controls show for a finding record, the
// normalisations the record undergoes when the dialog opens, and how the confirmed
// controls are written back.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/FieldList.h"
#include "model/ItemDetailRules.h"

namespace orvela {

struct CalendarDate {
  int year = 1900, month = 1, day = 1;
  friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};
// 01.01.1900, the value that stands for "no deadline".
inline constexpr CalendarDate kNoDeadlineDate{1900, 1, 1};

// A date in the short date format dd.MM.yyyy (one-digit day and month accepted), nothing
// for any other text or an impossible date.
std::optional<CalendarDate> ParseShortDate(std::string_view text);
std::string ShortDateText(const CalendarDate& date);  // always dd.MM.yyyy

// A DEADLINE that is not a date. what(): "'…' ist kein gültiges Datum" (UTF-8).
class InvalidDateError : public std::runtime_error {
 public:
  explicit InvalidDateError(std::string_view cp1252Text);
};

inline constexpr int kFindingTypeCount = 3;  // "nicht definiert", "Empfehlung", "Maßnahme"

// The controls of the finding properties dialog.
struct FindingForm {
  std::string name;
  int typeIndex = -1;  // -1: no type selected
  std::vector<std::string> riskEntries;
  int riskIndex = -1;    // the entry shown when the dialog opens, -1 for none
  std::string riskText;  // what the risk box holds (an entry's text or typed text)
  std::vector<CheckEntry> ouEntries;
  std::vector<CheckEntry> evidenceEntries;
  std::string description;
  CalendarDate deadline = kNoDeadlineDate;  // kNoDeadlineDate shows as "<nicht definiert>"
  // Follow-up. A STATUS or DONE-AT the form cannot show (an unknown number, a text that is
  // no date) shows as "offen" or as no date and stays as stored unless these are changed.
  int statusIndex = 0;
  std::string responsible;
  std::string response;  // lines separated by CR LF
  std::optional<CalendarDate> doneAt;
};

// Fills the form for `record`. Before anything is shown the record itself is normalised:
// an empty TYPE becomes "0" and an empty DEADLINE "01.01.1900"; these stay in the record
// also when the dialog is cancelled. `ouSource` and `documentSource` are the texts of the
// item's organisational-unit and document lists as they stand; every one of them is
// offered, ticked by the finding's OU and EVIDENCE. Throws InvalidDateError for a
// DEADLINE that is not a date (TYPE has been normalised by then).
FindingForm PrepareFindingForm(FieldList& record, std::string_view riskDefs, const std::vector<std::string>& ouSource,
                               const std::vector<std::string>& documentSource);

// Writes the confirmed form: NAME, TYPE (the index, "-1" for none), RISK, OU and EVIDENCE
// (removed and appended anew), DESCRIPTION, DEADLINE, then STATUS, RESPONSE, RESPONSIBLE,
// DONE-AT. Empty texts remove their fields; STATUS and DONE-AT are written only when the
// form shows other values than the stored ones.
void WriteFindingForm(FieldList& record, const FindingForm& form);

// The part of a text before its first blank (the whole text without one): the document
// ID of an evidence list entry.
std::string TextBeforeBlank(std::string_view text);

}  // namespace orvela
