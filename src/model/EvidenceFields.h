#pragma once
// The working-paper evidence of a work file: who prepared and reviewed each structure
// item, and the follow-up of each finding. All optional; a work file without them is
// written as before. Texts are Windows-1252.
#include <string>
#include <string_view>

namespace orvela {

namespace key {
// Sign-offs of a structure item: user stamp and date-time text, like the save stamps.
inline constexpr std::string_view PREPARED_BY = "PREPARED-BY";
inline constexpr std::string_view PREPARED_AT = "PREPARED-AT";
inline constexpr std::string_view REVIEWED_BY = "REVIEWED-BY";
inline constexpr std::string_view REVIEWED_AT = "REVIEWED-AT";
inline constexpr std::string_view REVIEW_NOTE = "REVIEW-NOTE";
// The digest of the content a review covered (model/ItemSignOff.h).
inline constexpr std::string_view REVIEW_DIGEST = "REVIEW-DIGEST";
// Follow-up of a finding.
inline constexpr std::string_view STATUS = "STATUS";
inline constexpr std::string_view RESPONSE = "RESPONSE";
inline constexpr std::string_view RESPONSIBLE = "RESPONSIBLE";
inline constexpr std::string_view DONE_AT = "DONE-AT";
}  // namespace key

// Follow-up states of a finding, stored as "0" to "3" (empty counts as "0").
inline constexpr int kFindingStatusCount = 4;  // "offen", "in Umsetzung", "umgesetzt", "verifiziert"
inline constexpr int kFindingStatusDone = 2;   // "umgesetzt": from here on a deadline no longer presses
// 0 to 3; an empty or unknown value is 0 ("offen").
int FindingStatusIndex(std::string_view stored);
std::string FindingStatusDisplayText(std::string_view stored);
std::string FindingStatusText(int index);  // "offen" for an index outside the list

}  // namespace orvela
