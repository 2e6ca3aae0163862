#include "storage/TreeOrderIndex.h"

namespace orvela {

std::uint32_t TreeOrderIndex::add(std::uint32_t parent) {
  const auto node = static_cast<std::uint32_t>(depth_.size());
  if (parent == kTopLevel) {
    depth_.push_back(0);
    row_.push_back(topLevelCount_++);
  } else {
    depth_.push_back(depth_[parent] + 1);
    row_.push_back(childCount_[parent]++);
  }
  childCount_.push_back(0);
  up_.resize(up_.size() + kLevels, kTopLevel);
  up_[node * kLevels] = parent;
  for (int level = 1; level < kLevels; ++level) {
    std::uint32_t half = up(node, level - 1);
    if (half == kTopLevel) break;
    up_[node * kLevels + level] = up(half, level - 1);
  }
  return node;
}

std::uint32_t TreeOrderIndex::ancestor(std::uint32_t node, std::uint32_t steps) const {
  for (int level = 0; steps != 0 && node != kTopLevel; ++level, steps >>= 1) {
    if (steps & 1) node = level < kLevels ? up(node, level) : kTopLevel;
  }
  return node;
}

bool TreeOrderIndex::before(std::uint32_t a, std::uint32_t b) const {
  if (a == b) return false;
  // An ancestor comes before its descendants.
  if (depth_[a] > depth_[b]) {
    a = ancestor(a, depth_[a] - depth_[b]);
    if (a == b) return false;
  } else if (depth_[b] > depth_[a]) {
    b = ancestor(b, depth_[b] - depth_[a]);
    if (a == b) return true;
  }
  // Lift both to the children of their lowest common ancestor, then compare positions.
  for (int level = kLevels - 1; level >= 0; --level) {
    std::uint32_t ua = up(a, level), ub = up(b, level);
    if (ua != ub) {
      a = ua;
      b = ub;
    }
  }
  return row_[a] < row_[b];
}

}  // namespace orvela
