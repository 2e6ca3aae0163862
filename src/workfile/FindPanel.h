#pragma once
// The find bar of the work-file window (panelFind), below the tabs: the search box edFind,
// the previous/next buttons, the count laFindCount and the results list lvFindResults.
// Typing searches after a short pause, so that typing never waits for a search; Enter or
// a double click shows a hit, F3 and Shift+F3 go through the hits, Esc closes the bar.
#include <QWidget>
#include <string>

class QLabel;
class QLineEdit;
class QMenu;
class QTimer;
class QToolButton;
class QTreeView;

namespace orvela {

class FindResultsModel;
class TfrmWorkFile;

class FindPanel : public QWidget {
  Q_OBJECT
 public:
  explicit FindPanel(TfrmWorkFile& window);

  // "Suchen...", "Weitersuchen" and "Rückwärts suchen", in front of the menu's first separator.
  void addActionsTo(QMenu* menu);

  // Ctrl+F: shows the bar, the search box takes the focus with its text selected.
  void openFind();
  // F3 and Shift+F3: the next or previous hit, round at the ends.
  void findNext();
  void findPrevious();
  // Shows the hit of a row of the results list in the window.
  void showHit(int row);
  // The work-file data changed (an edit, undo, redo, a file loaded): the hits are found
  // anew at once, so that none points to what is gone.
  void dataChanged();

  QLineEdit* searchBox() const { return edFind_; }
  QTreeView* resultsView() const { return lvFindResults_; }
  FindResultsModel* results() const { return model_; }
  QLabel* countLabel() const { return laFindCount_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void closeFind();
  void search();
  void runSearch(bool storeDescription);
  void step(int direction, bool keepFocusInBox);
  void updateCount(bool holdable);
  // The plain text of the description, extracted again only when the description changed.
  const std::string& descriptionText();

  TfrmWorkFile& window_;
  QLineEdit* edFind_;
  QToolButton* sbFindPrevious_;
  QToolButton* sbFindNext_;
  QLabel* laFindCount_;
  QToolButton* sbFindClose_;
  QTreeView* lvFindResults_;
  FindResultsModel* model_;
  QTimer* typing_;
  std::string needle_;
  int current_ = -1;
  bool searching_ = false;
  std::string descriptionRtf_, descriptionText_;
  bool descriptionRead_ = false;
};

}  // namespace orvela
