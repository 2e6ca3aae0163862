#pragma once
// Operations on records: definition entries, ordered lists with a focused row, and the
// clipboard payload of a structure item.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/FieldList.h"

namespace orvela {

std::string GetDefItem(std::string_view entryCommaText);
std::string GetDefValue(std::string_view entryCommaText);
// ITEM " - " VALUE of an entry's comma text.
std::string DefDisplayText(std::string_view entryCommaText);

// A flat list with an optional focused row, as the list views hold it.
using Focus = std::optional<std::size_t>;

// Inserts ITEM=/VALUE= after the focused row (or at the end) and focuses it.
void AddDefEntry(std::vector<FieldList>& rows, Focus& focused);

template <class T>
void MoveEntryUp(std::vector<T>& rows, Focus& focused) {
  if (!focused || *focused >= rows.size() || *focused == 0) return;
  std::swap(rows[*focused], rows[*focused - 1]);
  --*focused;
}

// The last row moves to the top.
template <class T>
void MoveEntryDown(std::vector<T>& rows, Focus& focused) {
  if (!focused || *focused >= rows.size()) return;
  if (*focused + 1 == rows.size()) {
    T moved = std::move(rows.back());
    rows.pop_back();
    rows.insert(rows.begin(), std::move(moved));
    *focused = 0;
    return;
  }
  std::swap(rows[*focused], rows[*focused + 1]);
  ++*focused;
}

// The payload of one structure item: 4-byte little-endian length, then the record as
// BEL-delimited text.
std::string SaveNodePayload(const FieldList& record);
// Reads one payload from `data` at `offset` (advanced past it). Returns nothing for a
// truncated or malformed payload (negative or too long length).
std::optional<FieldList> LoadNodePayload(std::string_view data, std::size_t& offset);

}  // namespace orvela
