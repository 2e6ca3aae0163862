#include "workfile/FindPanel.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "model/StructureCommands.h"
#include "model/WorkFileSearch.h"
#include "platform/Cp1252Text.h"
#include "rtf/PlainText.h"
#include "rtf/RtfReader.h"
#include "workfile/DescriptionPage.h"
#include "workfile/FindResultsDelegate.h"
#include "workfile/FindResultsModel.h"
#include "workfile/FindShow.h"
#include "workfile/StructureModel.h"
#include "workfile/StructurePage.h"
#include "workfile/srcWorkfile.h"

namespace orvela {
namespace {

// Long enough to let a word be typed in one go, short enough to feel immediate.
constexpr int kTypingPauseMs = 200;

QToolButton* Button(QWidget* parent, const char* name, QStyle::StandardPixmap icon, const char* tip) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setIcon(parent->style()->standardIcon(icon));
  button->setToolTip(QString::fromUtf8(tip));
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::TabFocus);
  return button;
}

}  // namespace

FindPanel::FindPanel(TfrmWorkFile& window)
    : QWidget(&window),
      window_(window),
      edFind_(new QLineEdit(this)),
      sbFindPrevious_(Button(this, "sbFindPrevious", QStyle::SP_ArrowUp, "Vorheriger Treffer (Umschalt+F3)")),
      sbFindNext_(Button(this, "sbFindNext", QStyle::SP_ArrowDown, "Nächster Treffer (F3)")),
      laFindCount_(new QLabel(this)),
      sbFindClose_(Button(this, "sbFindClose", QStyle::SP_DialogCloseButton, "Suche schließen (Esc)")),
      lvFindResults_(new QTreeView(this)),
      model_(new FindResultsModel(*window.structurePage()->model(), this)),
      typing_(new QTimer(this)) {
  setObjectName(QStringLiteral("panelFind"));
  edFind_->setObjectName(QStringLiteral("edFind"));
  edFind_->setClearButtonEnabled(true);
  edFind_->setPlaceholderText(QStringLiteral("Text in der Arbeitsdatei suchen"));
  edFind_->installEventFilter(this);
  laFindCount_->setObjectName(QStringLiteral("laFindCount"));
  laFindCount_->setTextFormat(Qt::PlainText);
  auto* caption = new QLabel(QStringLiteral("&Suchen:"), this);
  caption->setBuddy(edFind_);

  lvFindResults_->setObjectName(QStringLiteral("lvFindResults"));
  lvFindResults_->setModel(model_);
  lvFindResults_->setItemDelegateForColumn(FindResultsModel::Text, new FindResultsDelegate(lvFindResults_));
  lvFindResults_->setRootIsDecorated(false);
  lvFindResults_->setUniformRowHeights(true);
  lvFindResults_->setAlternatingRowColors(true);
  lvFindResults_->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvFindResults_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvFindResults_->header()->setStretchLastSection(true);
  lvFindResults_->header()->resizeSection(FindResultsModel::Place, 280);
  lvFindResults_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  lvFindResults_->setMinimumHeight(lvFindResults_->fontMetrics().height() * 5);

  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(0, 0, 0, 0);
  bar->addWidget(caption);
  bar->addWidget(edFind_, 1);
  bar->addWidget(sbFindPrevious_);
  bar->addWidget(sbFindNext_);
  bar->addWidget(laFindCount_, 1);
  bar->addWidget(sbFindClose_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 2);
  layout->setSpacing(2);
  layout->addLayout(bar);
  layout->addWidget(lvFindResults_);

  typing_->setSingleShot(true);
  typing_->setInterval(kTypingPauseMs);
  connect(typing_, &QTimer::timeout, this, &FindPanel::search);
  connect(edFind_, &QLineEdit::textChanged, typing_, qOverload<>(&QTimer::start));
  connect(edFind_, &QLineEdit::returnPressed, this, [this] { step(+1, true); });
  connect(sbFindNext_, &QToolButton::clicked, this, [this] { step(+1, true); });
  connect(sbFindPrevious_, &QToolButton::clicked, this, [this] { step(-1, true); });
  connect(sbFindClose_, &QToolButton::clicked, this, &FindPanel::closeFind);
  connect(lvFindResults_, &QTreeView::activated, this, [this](const QModelIndex& index) { showHit(index.row()); });
  connect(window.structurePage()->model(), &StructureModel::appearanceChanged, model_, &FindResultsModel::filterChanged);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
  connect(escape, &QShortcut::activated, this, &FindPanel::closeFind);

  updateCount(true);
  hide();
}

void FindPanel::addActionsTo(QMenu* menu) {
  struct Entry {
    const char* name;
    const char* caption;
    QKeySequence keys;
    void (FindPanel::*run)();
  };
  const Entry entries[] = {
      {"miEditFind", "Suchen...", QKeySequence(Qt::CTRL | Qt::Key_F), &FindPanel::openFind},
      {"miEditFindNext", "Weitersuchen", QKeySequence(Qt::Key_F3), &FindPanel::findNext},
      {"miEditFindPrevious", "Rückwärts suchen", QKeySequence(Qt::SHIFT | Qt::Key_F3), &FindPanel::findPrevious},
  };
  QAction* before = nullptr;
  for (QAction* a : menu->actions())
    if (a->isSeparator()) {
      before = a;
      break;
    }
  QAction* first = nullptr;
  for (const Entry& e : entries) {
    auto* action = new QAction(QString::fromUtf8(e.caption), menu);
    action->setObjectName(QLatin1String(e.name));
    action->setShortcut(e.keys);
    // Keys of this window only, wherever its focus is.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    window_.addAction(action);
    menu->insertAction(before, action);
    connect(action, &QAction::triggered, this, e.run);
    if (!first) first = action;
  }
  menu->insertSeparator(first);
}

void FindPanel::openFind() {
  show();
  edFind_->setFocus(Qt::ShortcutFocusReason);
  edFind_->selectAll();
  // What was typed into the description editor is searched too.
  if (!edFind_->text().isEmpty()) runSearch(true);
}

void FindPanel::closeFind() {
  typing_->stop();
  hide();
  if (QWidget* page = window_.workspace()->currentWidget()) page->setFocus(Qt::OtherFocusReason);
}

void FindPanel::findNext() { step(+1, false); }
void FindPanel::findPrevious() { step(-1, false); }

void FindPanel::search() { runSearch(true); }

void FindPanel::runSearch(bool storeDescription) {
  if (searching_) return;
  searching_ = true;
  typing_->stop();
  // Storing the description is an edit; its notice comes back here and is ignored then.
  if (storeDescription) window_.descriptionPage()->storeIfChanged();
  const bool holdable = SearchTextFromUtf8(edFind_->text().toStdString(), needle_);
  model_->setResult(holdable ? FindInWorkFile(window_.data(), descriptionText(), needle_) : FindResult{}, needle_.size());
  current_ = -1;
  // The places as wide as they need, the text keeping at least a third of the list.
  lvFindResults_->resizeColumnToContents(FindResultsModel::Place);
  const int widest = lvFindResults_->viewport()->width() * 2 / 3;
  if (lvFindResults_->header()->sectionSize(FindResultsModel::Place) > widest)
    lvFindResults_->header()->resizeSection(FindResultsModel::Place, widest);
  updateCount(holdable);
  searching_ = false;
}

const std::string& FindPanel::descriptionText() {
  const std::string& rtf = window_.data().description;
  if (!descriptionRead_ || rtf != descriptionRtf_) {
    descriptionRtf_ = rtf;
    descriptionText_ = rtf::PlainTextCp1252(rtf::ReadRtf(rtf));
    descriptionRead_ = true;
  }
  return descriptionText_;
}

void FindPanel::updateCount(bool holdable) {
  const FindResult& r = model_->result();
  const bool empty = edFind_->text().isEmpty();
  QString text;
  if (!empty && !holdable)
    text = QStringLiteral("0 Treffer \u2013 der Text enthält Zeichen, die eine Arbeitsdatei nicht enthalten kann");
  else if (r.truncated)
    text = QStringLiteral("Mehr als %1 Treffer, die ersten %1 sind aufgeführt").arg(r.hits.size());
  else if (!empty)
    text = QStringLiteral("%1 Treffer").arg(r.hits.size());
  laFindCount_->setText(text);
  sbFindNext_->setEnabled(!r.hits.empty());
  sbFindPrevious_->setEnabled(!r.hits.empty());
}

void FindPanel::dataChanged() {
  if (searching_) return;
  if (isHidden() || edFind_->text().isEmpty()) {
    // Found again when the bar opens.
    model_->setResult({}, 0);
    current_ = -1;
    return;
  }
  const int keep = current_;
  runSearch(false);
  // The list stays where it was as far as it can.
  const int rows = model_->rowCount();
  current_ = rows == 0 ? -1 : std::min(keep, rows - 1);
  if (current_ >= 0)
    lvFindResults_->setCurrentIndex(model_->index(current_, 0));
}

void FindPanel::step(int direction, bool keepFocusInBox) {
  if (edFind_->text().isEmpty()) {
    openFind();
    return;
  }
  if (isHidden()) {
    show();
    runSearch(true);
  } else if (typing_->isActive()) {
    runSearch(true);
  }
  const int rows = model_->rowCount();
  if (rows == 0) return;
  int row = current_ < 0 ? (direction > 0 ? 0 : rows - 1) : current_ + direction;
  QString wrapped;
  if (row >= rows) {
    row = 0;
    wrapped = QStringLiteral("Suche am Anfang fortgesetzt.");
  } else if (row < 0) {
    row = rows - 1;
    wrapped = QStringLiteral("Suche am Ende fortgesetzt.");
  }
  showHit(row);
  if (!wrapped.isEmpty() && window_.statusBar()->currentMessage().isEmpty()) window_.statusBar()->showMessage(wrapped);
  if (keepFocusInBox) edFind_->setFocus(Qt::OtherFocusReason);
}

void FindPanel::showHit(int row) {
  // Edits still pending in the panel become data first, as before undo: nothing typed is
  // lost, and the hit is shown in what is stored. Their notice finds the hits anew.
  window_.acceptPendingEdits();
  const FindHit* hit = model_->hit(row);
  if (!hit) return;
  current_ = row;
  lvFindResults_->setCurrentIndex(model_->index(row, 0));
  const bool filtered = model_->filteredOut(*hit);
  QString message = ShowFindHit(window_, *hit, needle_.size(), descriptionText_);
  if (filtered)
    message = QStringLiteral("Das Element \u201E%1\u201C ist durch den Filter ausgegraut.")
                  .arg(platform::FromCp1252(ItemDisplayText(*hit->node, false)));
  if (message.isEmpty())
    window_.statusBar()->clearMessage();
  else
    window_.statusBar()->showMessage(message);
}

bool FindPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edFind_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Down && model_->rowCount() > 0) {
      lvFindResults_->setFocus(Qt::OtherFocusReason);
      if (!lvFindResults_->currentIndex().isValid()) lvFindResults_->setCurrentIndex(model_->index(0, 0));
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace orvela
