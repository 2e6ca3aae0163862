#pragma once
// The one item of the program that is cut and waits for its paste, in whichever window.
// The clipboard data of the cut carries a token; a paste of that data moves the item, any
// other data (a copy, a second paste, data of another program run) inserts copies. The
// owner is the item model of the window the item was cut in.
#include <QByteArray>
#include <QObject>
#include <optional>

#include "model/RecordTree.h"

class QMimeData;

namespace orvela::platform {

class PendingCut : public QObject {
  Q_OBJECT
 public:
  PendingCut();

  // Marks `node` of `owner` as cut and puts the cut's token into `mime`.
  void set(QObject* owner, RecordNode* node, QMimeData* mime);
  struct Item {
    QObject* owner;
    RecordNode* node;
  };
  // The cut item that `mime` stands for, when it is still waiting.
  std::optional<Item> match(const QMimeData* mime) const;
  // True when `node` is the cut item or one of its sub-items.
  bool covers(const QObject* owner, const RecordNode* node) const;
  void clear();
  // Called before `removed` leaves the tree of `owner`: a cut inside it is given up.
  void forgetWithin(const QObject* owner, const RecordNode* removed);
  void forgetOwner(const QObject* owner);

 signals:
  // The cut look of items of `owner` changed.
  void changed(QObject* owner);

 private:
  void clipboardChanged();

  QObject* owner_ = nullptr;  // the owner forgets its cut when it goes
  RecordNode* node_ = nullptr;
  QByteArray token_;
};

}  // namespace orvela::platform
