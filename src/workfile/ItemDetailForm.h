#pragma once
// The tabs of an item's details (PageControl1): "Allgemein", "Beschreibung", "Ergebnis",
// "Feststellungen", "Dokumente". The item detail panel and the item properties dialog
// both show this one form; what goes into it and back out is model/ItemDetailRules.h.
#include <QTabWidget>

#include "model/ItemDetailRules.h"
#include "workfile/FindingsPage.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace orvela {

class WorkFileContext;
class TextGuard;

class ItemDetailForm : public QTabWidget {
  Q_OBJECT
 public:
  ItemDetailForm(WorkFileContext& context, FindingsPage::Mode mode, QWidget* parent = nullptr);

  // Fills every control; raises the controls' change notifications like typing would.
  void load(const ItemDetails& details);
  // What the controls hold now.
  ItemDetails current() const;
  // The identifier again, after the items were numbered anew; pending edits stay.
  void showId(const std::string& id);

  FindingsPage* findingsPage() const { return findings_; }
  TextGuard* textGuard() const { return guard_; }

 signals:
  // A control or the findings list was changed (acItemDetailsChanged).
  void changed();

 private:
  WorkFileContext& context_;
  QLabel* labelID_;
  QLineEdit* editName_;
  QComboBox* cmbRisk_;
  QListWidget* lbOU_;
  QComboBox* cmbWorkstate_;
  QPlainTextEdit* memoItem_;
  QPlainTextEdit* memoResult_;
  FindingsPage* findings_;
  QListWidget* lbDocuments_;
  TextGuard* guard_;
  std::vector<std::string> riskEntries_;
};

}  // namespace orvela
