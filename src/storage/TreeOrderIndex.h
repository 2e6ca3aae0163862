#pragma once
// Decides which of two nodes of a growing tree comes first in tree order, for trees that
// grow only by appending last children (as the structure does while a file is read).
// Ancestors are found by binary lifting, so a question costs O(log depth) even for
// chains of 100,000 items.
#include <cstdint>
#include <vector>

namespace orvela {

class TreeOrderIndex {
 public:
  static constexpr std::uint32_t kTopLevel = UINT32_MAX;

  // Registers a new last child of `parent` (an earlier result of add, or kTopLevel).
  std::uint32_t add(std::uint32_t parent);
  // True when node `a` comes before node `b` in tree order.
  bool before(std::uint32_t a, std::uint32_t b) const;

 private:
  static constexpr int kLevels = 24;  // depths up to 2^24
  std::uint32_t ancestor(std::uint32_t node, std::uint32_t steps) const;
  std::uint32_t up(std::uint32_t node, int level) const { return up_[node * kLevels + level]; }

  std::vector<std::uint32_t> depth_, row_, childCount_;
  std::uint32_t topLevelCount_ = 0;
  std::vector<std::uint32_t> up_;  // kLevels entries per node: the ancestor 2^level steps up
};

}  // namespace orvela
