#pragma once
// The structure tree on the clipboard and in drags. The tree's own format holds the packed
// item payloads of a subtree (PackSubtrees); for other programs the same items are offered
// as text rendered from their display texts (plain, CSV, HTML, RTF).
#include <QByteArray>
#include <QObject>
#include <memory>
#include <optional>
#include <vector>

#include "model/RecordTree.h"

class QMimeData;

namespace orvela {

class StructureModel;

// The tree's own format, registered with the desktop under this name.
inline constexpr char kStructureMimeType[] = "application/x-orvela-virtual-tree-data";

// Clipboard data of items with all their sub-items; `withOutline` puts the outline numbers
// into the text renderings, as the tree shows them.
QMimeData* NewStructureMimeData(const std::vector<const RecordNode*>& roots, bool withOutline);
bool HasStructureData(const QMimeData* mime);
// The items of the tree's own format as detached subtrees; nothing when absent or unreadable.
std::optional<std::vector<std::unique_ptr<RecordNode>>> StructureItemsOf(const QMimeData* mime);

// The one item of the program that is cut and waits for its paste, in whichever window.
// The clipboard data of the cut carries a token; a paste of that data moves the item, any
// other data (a copy, a second paste, data of another program run) inserts copies.
class PendingCut : public QObject {
  Q_OBJECT
 public:
  static PendingCut& instance();

  // Marks `node` of `model` as cut and puts the cut's token into `mime`.
  void set(StructureModel* model, RecordNode* node, QMimeData* mime);
  struct Item {
    StructureModel* model;
    RecordNode* node;
  };
  // The cut item that `mime` stands for, when it is still waiting.
  std::optional<Item> match(const QMimeData* mime) const;
  // True when `node` is the cut item or one of its sub-items.
  bool covers(const StructureModel* model, const RecordNode* node) const;
  void clear();
  // Called before `removed` leaves the tree of `model`: a cut inside it is given up.
  void forgetWithin(const StructureModel* model, const RecordNode* removed);
  void forgetModel(const StructureModel* model);

 signals:
  // The cut look of items of `model` changed.
  void changed(orvela::StructureModel* model);

 private:
  PendingCut();
  void clipboardChanged();

  StructureModel* model_ = nullptr;  // the model forgets its cut when it goes
  RecordNode* node_ = nullptr;
  QByteArray token_;
};

}  // namespace orvela
