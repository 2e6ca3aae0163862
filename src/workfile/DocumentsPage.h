#pragma once
// The "Dokumente" tab of the work-file window: the documents register vtDocuments and the
// button strip Panel2 below it (new, delete, properties, open).
#include <QModelIndex>
#include <QWidget>

#include "model/EditObserver.h"

class QToolButton;

namespace orvela {

class DocumentsModel;
class DocumentsView;
class RecordNode;
class WorkFileContext;

class DocumentsPage : public QWidget, private EditObserver {
  Q_OBJECT
 public:
  explicit DocumentsPage(WorkFileContext& context, QWidget* parent = nullptr);
  ~DocumentsPage() override;

  // The window replaced the register (a file was loaded): show it afresh.
  void reloadFromData();

  DocumentsModel* model() const { return model_; }
  DocumentsView* view() const { return view_; }

  // The commands of the buttons and the register.
  void acNewDoc();
  void acDelDoc();
  void acEditDoc();
  void acOpenDoc();
  void acDocDblClick(const QModelIndex& index);

 private:
  // After an undo or redo the register shows the document the step was about.
  void commandFinished(const EditCommand& command, EditDirection direction) override;
  void showDocument(const QModelIndex& index);
  QModelIndex selectedDocument() const;
  // Buttons that need a selected document follow the selection.
  void acAfterPaint();
  // Tree lines and expand buttons only while documents are nested.
  void updateDecoration();

  WorkFileContext& context_;
  DocumentsModel* model_;
  DocumentsView* view_;
  QToolButton* sbNewDoc_;
  QToolButton* sbDelDoc_;
  QToolButton* sbEditDoc_;
  QToolButton* sbOpenDoc_;
};

}  // namespace orvela
