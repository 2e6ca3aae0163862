#include "model/ItemSignOff.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "model/EvidenceFields.h"
#include "model/srcGlobalDef.h"

namespace orvela {
namespace {

// What counts as the content of an item, in digest order. OU-UX, the units offered but
// not ticked, is left out: it follows the project's unit list whenever the item is
// accepted without a ticked unit, and says nothing about the work done.
constexpr std::array<std::string_view, 8> kContentKeys{key::NAME,      key::RISK,        key::OU_X,
                                                       key::WORKSTATE, key::DESCRIPTION, key::RESULT,
                                                       key::DOCUMENTS, key::FINDINGS};

// FNV-1a, 64 bits: the digest only has to notice a change, not resist a forger.
void Mix(std::uint64_t& h, std::string_view bytes) {
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 0x100000001b3ULL;
  }
}

}  // namespace

std::string ItemContentDigest(const FieldList& item) {
  std::uint64_t h = 0xcbf29ce484222325ULL;
  for (std::string_view k : kContentKeys) {
    const std::string value = item.value(k);
    // The length in front keeps "ab"+"c" apart from "a"+"bc".
    Mix(h, std::to_string(value.size()));
    Mix(h, ":");
    Mix(h, value);
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
  return text;
}

bool ChangedAfterReview(const FieldList& item) {
  if (item.value(key::REVIEWED_BY).empty() && item.value(key::REVIEWED_AT).empty()) return false;
  const std::string digest = item.value(key::REVIEW_DIGEST);
  return !digest.empty() && digest != ItemContentDigest(item);
}

SignOffState ItemSignOffState(const FieldList& item) {
  if (!item.value(key::REVIEWED_BY).empty() || !item.value(key::REVIEWED_AT).empty())
    return ChangedAfterReview(item) ? SignOffState::ChangedAfterReview : SignOffState::Reviewed;
  if (!item.value(key::PREPARED_BY).empty() || !item.value(key::PREPARED_AT).empty()) return SignOffState::Prepared;
  return SignOffState::Open;
}

bool HasSignOff(const FieldList& item) { return ItemSignOffState(item) != SignOffState::Open; }

std::string SignOffStateText(SignOffState state) {
  switch (state) {
    case SignOffState::Prepared: return "bearbeitet";
    case SignOffState::Reviewed: return "gepr\xFC" "ft";
    case SignOffState::ChangedAfterReview: return "nach Pr\xFC" "fung ge\xE4ndert";
    default: return "offen";
  }
}

}  // namespace orvela
