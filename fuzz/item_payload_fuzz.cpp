// The packing of structure items that the clipboard and drag and drop carry, read from
// arbitrary bytes: it may be refused; what is read must pack again to the same items, paste
// into a work file, and that work file must save and read back with every item.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "model/StructureCommands.h"
#include "model/WorkFileData.h"
#include "storage/WorkFileXml.h"

namespace {

// One item as the packing sees it: its number of sub-items and its lines, where empty
// lines do not count because the packing does not carry them.
struct Shape {
  std::size_t children;
  std::vector<std::string> lines;
  bool operator==(const Shape&) const = default;
};

std::vector<Shape> ShapeOf(const std::vector<std::unique_ptr<orvela::RecordNode>>& roots) {
  std::vector<Shape> shape;
  // A detached root has no parent, so the walk ends with its own subtree.
  for (const auto& root : roots) {
    for (const orvela::RecordNode* node = root.get(); node; node = orvela::NextInTreeOrder(node)) {
      Shape s{node->childCount(), node->record.lines()};
      std::erase(s.lines, std::string());
      shape.push_back(std::move(s));
    }
  }
  return shape;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  auto items = orvela::UnpackSubtrees(text);
  if (!items) return 0;

  std::vector<const orvela::RecordNode*> roots;
  for (const auto& item : *items) roots.push_back(item.get());
  const std::vector<Shape> shape = ShapeOf(*items);
  auto again = orvela::UnpackSubtrees(orvela::PackSubtrees(roots));
  if (!again || ShapeOf(*again) != shape) std::abort();

  // Pasted as sub-items of an existing item, as "Einfügen als Unterelement" does.
  orvela::WorkFileData data;
  orvela::RecordNode* target = orvela::InsertNewItem(data, orvela::PasteAsChildPosition(data.structure, nullptr));
  std::size_t row = 0;
  for (auto& item : *items) orvela::InsertSubtree(data.structure, {target, row++}, std::move(item));
  orvela::RenumberItems(data);
  if (data.structure.count() != shape.size() + 1) std::abort();

  const std::string written = orvela::BuildWorkFileXml(data);
  orvela::WorkFileData read;
  try {
    orvela::ParseWorkFileXml(read, written, {});
  } catch (const orvela::xml::XmlError&) {
    std::abort();  // a pasted item must never make the work file unreadable
  }
  if (read.structure.count() != data.structure.count()) std::abort();
  return 0;
}
