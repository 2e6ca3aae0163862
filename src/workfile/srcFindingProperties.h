#pragma once
// The finding properties dialog ("Feststellungseigenschaften") and EditFinding, which
// shows it for one finding record.
#include <QDialog>
#include <string>
#include <vector>

#include "model/FindingRules.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTabWidget;

namespace orvela {

namespace platform {
class Services;
}

class DeadlineEdit;

class TdlgFindingProperties : public QDialog {
  Q_OBJECT
 public:
  explicit TdlgFindingProperties(platform::Services& services, QWidget* parent = nullptr);

  void load(const FindingForm& form);
  // The controls as they stand.
  FindingForm form() const;

 public slots:
  // "OK": a deadline or done date that is no date is said so, and the dialog stays open
  // with it.
  void accept() override;

 private:
  platform::Services& services_;
  QTabWidget* pages_;
  QLineEdit* editName_;
  QComboBox* cmbType_;
  QComboBox* cmbRisk_;
  DeadlineEdit* cmbDate_;
  QListWidget* lbOU_;
  QListWidget* lbEvidence_;
  QPlainTextEdit* memoDescription_;
  // Follow-up ("Umsetzung").
  QComboBox* cmbStatus_;
  QLineEdit* editResponsible_;
  DeadlineEdit* cmbDoneAt_;
  QPlainTextEdit* memoResponse_;
  std::vector<std::string> riskEntries_;
};

// Shows the dialog for `record` and writes it on "OK"; returns whether "OK" was chosen.
// The record's TYPE and DEADLINE are normalised first and stay so also on cancel. A
// DEADLINE that is not a date goes to the error report and no dialog opens (false).
// `ouSource` and `documentSource` are the entries of the item's unit and document lists.
bool EditFinding(platform::Services& services, FieldList& record, const std::vector<std::string>& ouSource,
                 const std::vector<std::string>& documentSource, const std::string& riskDefs, QWidget* parent);

}  // namespace orvela
