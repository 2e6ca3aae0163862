#pragma once
// The document dialog ("Dokumenteigenschaften"): name, type, reference and description of
// one document of the register. It works on a copy of the record; the caller writes edit()
// back when the dialog was confirmed with "OK".
#include <QDialog>

#include "model/DocumentsRegister.h"
#include "model/FieldList.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace orvela {

namespace platform {
class Services;
}

class TdlgEditDoc : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 180;

  TdlgEditDoc(platform::Services& services, const FieldList& document, QWidget* parent = nullptr);

  // The values of the controls as the record should take them (Windows-1252); only
  // meaningful once accept() let the dialog close.
  DocumentEdit edit() const;
  // The whole reference when it is wider than its field (shown as the field's tooltip),
  // else empty.
  QString linkToolTip() const;

 public slots:
  // Closes with "OK" unless a field holds a character the work file cannot store; the
  // user is told which and the dialog stays open.
  void accept() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void chooseLinkFile();
  std::optional<int> selectedType() const;

  platform::Services& services_;
  QLineEdit* editName_;
  QComboBox* cmbType_;
  QLineEdit* editLink_;
  QToolButton* sbLink_;
  QPlainTextEdit* memoDescription_;
  DocumentEdit result_;
};

}  // namespace orvela
