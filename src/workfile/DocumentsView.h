#pragma once
// The tree grid of the documents register (vtDocuments). It moves documents by drag and
// drop within itself only, and starts in-place editing in the name column alone.
#include <QTreeView>

namespace orvela {

class DocumentsView : public QTreeView {
  Q_OBJECT
 public:
  explicit DocumentsView(QWidget* parent = nullptr);

 signals:
  // Enter on a row: open its properties, as a double-click does.
  void propertiesRequested(const QModelIndex& index);

 protected:
  // The model carries out the move; the base class would afterwards remove the dragged
  // rows as if they had been copied elsewhere, so the drag is started here.
  void startDrag(Qt::DropActions supportedActions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // F2 on any cell of a row edits its name.
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool fromHere(const QDropEvent* event) const;
};

}  // namespace orvela
