#pragma once
// Who prepared and who reviewed a structure item, and whether its content changed after
// the review. The review sign-off keeps a digest of the content it covered; an item whose
// content no longer matches it counts as changed after review until it is signed again.
// Signing happens in the item's edited contents (model/ItemDetailRules.h).
#include <string>
#include <string_view>

#include "model/FieldList.h"

namespace orvela {

enum class SignOffState {
  Open,               // neither prepared nor reviewed
  Prepared,           // prepared, not reviewed
  Reviewed,           // reviewed, content as reviewed
  ChangedAfterReview  // reviewed, content changed since
};

// The content of an item: its own fields and its findings, without ID (a position number
// that renumbering changes), OU-UX (the units offered, not chosen), the sign-off fields
// and the review note.
std::string ItemContentDigest(const FieldList& item);

SignOffState ItemSignOffState(const FieldList& item);
// A review without a digest (written by hand or by another program) cannot tell and
// counts as unchanged.
bool ChangedAfterReview(const FieldList& item);

bool HasSignOff(const FieldList& item);
// "offen", "bearbeitet", "geprüft", "nach Prüfung geändert" (Windows-1252).
std::string SignOffStateText(SignOffState state);

}  // namespace orvela
