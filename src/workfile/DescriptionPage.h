#pragma once
// The "Beschreibung" tab of the work-file window: the formatted project description in the
// rich-text editor reDescription, with the formatting toolbar StandardToolBar above it.
//
// The work-file data holds the description as RTF text. The page fills the editor from it
// (reloadFromData) and writes the editor's content back (storeToData); the window does
// the latter before every save and whenever the user leaves the tab, so that everything
// else that reads the data (reports) sees the description as it is.
#include <QTextCharFormat>
#include <QWidget>
#include <functional>
#include <string>

#include "model/EditObserver.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QToolBar;
class QToolButton;

namespace orvela {

class DescriptionEditor;
class DescriptionUpDown;
class WorkFileContext;

// What the page asks of the window around it.
struct DescriptionPageHost {
  // True while the description tab is the one shown.
  std::function<bool()> descriptionTabShown;
  // The window's UpdateSaveButton.
  std::function<void()> updateSaveButton;
};

class DescriptionPage : public QWidget, private EditObserver {
  Q_OBJECT
 public:
  // Alignment codes the alignment buttons carry.
  enum AlignmentCode { AlignLeftCode = 0, AlignRightCode = 1, AlignCenterCode = 2 };

  DescriptionPage(WorkFileContext& context, DescriptionPageHost host, QWidget* parent = nullptr);
  ~DescriptionPage() override;

  // Sets the editor from data().description (RTF shows formatted, other text plain),
  // without marking the work file as modified.
  void reloadFromData();
  // data().description := the editor's content as RTF, one step of the history.
  void storeToData();
  // The same, only when the editor changed since it was filled or last stored: each visit
  // of the tab becomes one step, the editor keeping its own fine undo meanwhile.
  void storeIfChanged();
  // The description without formatting, Windows-1252, paragraphs separated by CR LF.
  std::string plainText() const;

  DescriptionEditor* editor() const { return reDescription_; }
  QToolBar* toolBar() const { return StandardToolBar_; }

  // The character format toolbar changes apply to: that of the selected text when
  // something is selected, otherwise the editor's format for what is typed next.
  QTextCharFormat CurrentTextAttributes() const;

  // The toolbar follows the selection, or the text at the caret.
  void reDescriptionSelectionChange();
  // Every change of the editor's text.
  void reDescriptionChange();

  void tbBoldClick();
  void tbItalicClick();
  void tbUnderlineClick();
  void editFontSizeChange();
  void cmbFontChange();
  void AlignButtonClick(int code);
  void tbBulletsClick();
  void acPrintDescription();

 private:
  // An undo or redo replaced the description: the editor shows it.
  void fieldChanged(DataField field) override;
  void createToolbar();
  void applyCharFormat(const QTextCharFormat& format);
  void applyFontFamily(const QString& family);
  void setAlignmentButtons(Qt::Alignment alignment);
  void setBullets(bool on);

  WorkFileContext& context_;
  DescriptionPageHost host_;
  bool UpdatingToolbar = false;
  // Content is being replaced by the program (emptying, filling from the data).
  bool filling_ = false;
  // Set by the first change the user makes; nothing but refilling clears it again.
  bool editorModified_ = false;
  bool unstored_ = false;
  bool storing_ = false;

  QToolBar* StandardToolBar_ = nullptr;
  QComboBox* cmbFont_ = nullptr;
  QLineEdit* editFontSize_ = nullptr;
  DescriptionUpDown* udFontSize_ = nullptr;
  QToolButton* tbBold_ = nullptr;
  QToolButton* tbItalic_ = nullptr;
  QToolButton* tbUnderline_ = nullptr;
  QToolButton* tbLeftAlign_ = nullptr;
  QToolButton* tbCenterAlign_ = nullptr;
  QToolButton* tbRightAlign_ = nullptr;
  QButtonGroup* alignGroup_ = nullptr;
  QToolButton* tbBullets_ = nullptr;
  QToolButton* tbPrintDescription_ = nullptr;
  DescriptionEditor* reDescription_ = nullptr;
};

}  // namespace orvela
