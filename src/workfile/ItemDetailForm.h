#pragma once
// The tabs of an item's details (PageControl1): "Allgemein", "Beschreibung", "Ergebnis",
// "Feststellungen", "Dokumente", "Abzeichnung". The item detail panel and the item properties dialog
// both show this one form; what goes into it and back out is model/ItemDetailRules.h.
#include <QTabWidget>

#include "model/ItemDetailRules.h"
#include "workfile/FindingsPage.h"

class QComboBox;
class QLabel;
class QPushButton;
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
  // The sign-offs again, after they were written: a review signed here covers what was
  // written with it, not what is typed after it. Other pending edits stay.
  void showSignOffsOf(const ItemDetails& details);
  // The identifier again, after the items were numbered anew; pending edits stay.
  void showId(const std::string& id);

  FindingsPage* findingsPage() const { return findings_; }
  TextGuard* textGuard() const { return guard_; }

 signals:
  // A control or the findings list was changed (acItemDetailsChanged).
  void changed();
  // A sign-off button changed the sign-offs (after changed()); `step` names the edit
  // ("Als geprüft abzeichnen").
  void signedOff(const QString& step);

 private:
  // The sign-off buttons: the current user and time go into the shown contents.
  void signOff(void (*sign)(ItemDetails&, std::string_view, std::string_view), const char* step);
  void removeSignOff();
  void showSignOffs();

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
  QLabel* labelSignOff_;  // the state on the first tab
  QLabel* labelPrepared_;
  QLabel* labelReviewed_;
  QLabel* labelChangedAfterReview_;
  QPushButton* btnSignPrepared_;
  QPushButton* btnSignReviewed_;
  QPushButton* btnRemoveSignOff_;
  QPlainTextEdit* memoReviewNote_;
  // The sign-off fields as shown (the memo holds the note).
  ItemDetails signOffs_;
  TextGuard* guard_;
  std::vector<std::string> riskEntries_;
};

}  // namespace orvela
