#pragma once
// The entry dialog of the project properties: edits ITEM and VALUE of one definition entry.
#include <QDialog>
#include <string>

#include "model/FieldList.h"

class QLineEdit;
class QPushButton;

namespace orvela {

namespace platform {
class Services;
}

class TdlgEditBaseVals : public QDialog {
  Q_OBJECT
 public:
  explicit TdlgEditBaseVals(platform::Services& services, QWidget* parent = nullptr);

  // editItem := ITEM, editValue := VALUE.
  void setEntry(const FieldList& entry);
  // ITEM := editItem, then VALUE := editValue (an empty text removes the field).
  void applyTo(FieldList& entry) const;

  QLineEdit* editItem() const { return editItem_; }
  QLineEdit* editValue() const { return editValue_; }

  // Refuses to close while an edit holds a character that the work file cannot hold:
  // the user is told which one and the edit gets the focus, so nothing typed is lost.
  void accept() override;

 protected:
  // F1: the help of the project properties, which this dialog belongs to.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  platform::Services& services_;
  QLineEdit* editItem_;
  QLineEdit* editValue_;
};

}  // namespace orvela
