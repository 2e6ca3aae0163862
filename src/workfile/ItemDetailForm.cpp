#include "workfile/ItemDetailForm.h"

#include <QComboBox>
#include <algorithm>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "workfile/ItemDetailTextGuard.h"
#include "workfile/ItemDetailWidgets.h"
#include "platform/WorkFileContext.h"

namespace orvela {
namespace {

QPlainTextEdit* Memo(const char* name) {
  auto* memo = new QPlainTextEdit;
  memo->setObjectName(QLatin1String(name));
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setTabChangesFocus(true);
  return memo;
}

QWidget* FilledTab(const char* name, QWidget* control) {
  auto* tab = new QWidget;
  tab->setObjectName(QLatin1String(name));
  auto* layout = new QVBoxLayout(tab);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(control);
  return tab;
}

}  // namespace

ItemDetailForm::ItemDetailForm(WorkFileContext& context, FindingsPage::Mode mode, QWidget* parent)
    : QTabWidget(parent),
      context_(context),
      labelID_(new QLabel),
      editName_(new QLineEdit),
      cmbRisk_(new QComboBox),
      lbOU_(new QListWidget),
      cmbWorkstate_(new QComboBox),
      memoItem_(Memo("memoItem")),
      memoResult_(Memo("memoResult")),
      lbDocuments_(new QListWidget),
      labelSignOff_(new QLabel),
      labelPrepared_(new QLabel),
      labelReviewed_(new QLabel),
      labelChangedAfterReview_(new QLabel(QStringLiteral("nach Prüfung geändert"))),
      btnSignPrepared_(new QPushButton(QStringLiteral("Als &bearbeitet abzeichnen"))),
      btnSignReviewed_(new QPushButton(QStringLiteral("Als &geprüft abzeichnen"))),
      btnRemoveSignOff_(new QPushButton(QStringLiteral("Abzeichnung &entfernen"))),
      memoReviewNote_(Memo("memoReviewNote")),
      guard_(new TextGuard(this)) {
  setObjectName(QStringLiteral("PageControl1"));
  labelID_->setObjectName(QStringLiteral("labelID"));
  labelID_->setTextFormat(Qt::PlainText);
  labelID_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  editName_->setObjectName(QStringLiteral("editName"));
  cmbRisk_->setObjectName(QStringLiteral("cmbRisk"));
  lbOU_->setObjectName(QStringLiteral("lbOU"));
  cmbWorkstate_->setObjectName(QStringLiteral("cmbWorkstate"));
  lbDocuments_->setObjectName(QStringLiteral("lbDocuments"));

  auto* general = new QWidget;
  general->setObjectName(QStringLiteral("TabSheet1"));
  auto* form = new QFormLayout(general);
  const std::pair<const char*, QWidget*> rows[] = {{"ID:", labelID_},
                                                   {"&Name:", editName_},
                                                   {"&Risiko:", cmbRisk_},
                                                   {"&OE:", lbOU_},
                                                   {"&Status:", cmbWorkstate_},
                                                   {"Abzeichnung:", labelSignOff_}};
  for (const auto& [caption, control] : rows) form->addRow(QString::fromUtf8(caption), control);
  addTab(general, QStringLiteral("Allgemein"));
  addTab(FilledTab("TabSheet2", memoItem_), QStringLiteral("Beschreibung"));
  addTab(FilledTab("TabSheet4", memoResult_), QStringLiteral("Ergebnis"));

  findings_ = new FindingsPage(
      context_.services(), mode, [this] { return FindingsPage::Sources{detail::CheckListTexts(lbOU_), detail::CheckListTexts(lbDocuments_)}; },
      [this] { return context_.data().riskDefs; });
  findings_->setObjectName(QStringLiteral("TabSheet3"));
  const int findingsTab = addTab(findings_, QStringLiteral("Feststellungen"));
  setTabToolTip(findingsTab, QStringLiteral("markierten Eintrag bearbeiten"));
  addTab(FilledTab("TabSheet5", lbDocuments_), QStringLiteral("Dokumente"));

  // Who prepared and who reviewed the item, and the reviewer's note.
  labelSignOff_->setObjectName(QStringLiteral("labelSignOff"));
  labelPrepared_->setObjectName(QStringLiteral("labelPrepared"));
  labelReviewed_->setObjectName(QStringLiteral("labelReviewed"));
  labelChangedAfterReview_->setObjectName(QStringLiteral("labelChangedAfterReview"));
  for (QLabel* label : {labelSignOff_, labelPrepared_, labelReviewed_}) {
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  }
  labelChangedAfterReview_->setStyleSheet(QStringLiteral("color: #b00020; font-weight: bold;"));
  btnSignPrepared_->setObjectName(QStringLiteral("btnSignPrepared"));
  btnSignReviewed_->setObjectName(QStringLiteral("btnSignReviewed"));
  btnRemoveSignOff_->setObjectName(QStringLiteral("btnRemoveSignOff"));
  btnSignPrepared_->setToolTip(QStringLiteral("Sie und die jetzige Zeit als Bearbeiter eintragen"));
  btnSignReviewed_->setToolTip(QStringLiteral("Sie und die jetzige Zeit als Prüfer eintragen; "
                                              "eine spätere Änderung des Inhalts wird angezeigt"));
  btnRemoveSignOff_->setToolTip(QStringLiteral("Die letzte Abzeichnung zurücknehmen: die Prüfung, sonst die Bearbeitung"));
  auto* signOffTab = new QWidget;
  signOffTab->setObjectName(QStringLiteral("TabSheet6"));
  auto* signOffLayout = new QVBoxLayout(signOffTab);
  signOffLayout->setContentsMargins(4, 4, 4, 4);
  signOffLayout->addWidget(labelPrepared_);
  signOffLayout->addWidget(labelReviewed_);
  signOffLayout->addWidget(labelChangedAfterReview_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnSignPrepared_);
  buttons->addWidget(btnSignReviewed_);
  buttons->addWidget(btnRemoveSignOff_);
  buttons->addStretch(1);
  signOffLayout->addLayout(buttons);
  auto* noteLabel = new QLabel(QStringLiteral("Prüfungs&hinweis:"));
  noteLabel->setBuddy(memoReviewNote_);
  signOffLayout->addWidget(noteLabel);
  signOffLayout->addWidget(memoReviewNote_, 1);
  addTab(signOffTab, QStringLiteral("Abzeichnung"));
  connect(btnSignPrepared_, &QPushButton::clicked, this, [this] { signOff(SignAsPrepared, "Als bearbeitet abzeichnen"); });
  connect(btnSignReviewed_, &QPushButton::clicked, this, [this] { signOff(SignAsReviewed, "Als geprüft abzeichnen"); });
  connect(btnRemoveSignOff_, &QPushButton::clicked, this, &ItemDetailForm::removeSignOff);
  setCurrentIndex(0);

  guard_->watch(editName_);
  guard_->watch(memoItem_);
  guard_->watch(memoResult_);
  guard_->watch(memoReviewNote_);

  const auto changed = [this] { emit this->changed(); };
  connect(editName_, &QLineEdit::textChanged, this, changed);
  connect(cmbRisk_, &QComboBox::currentIndexChanged, this, changed);
  connect(lbOU_, &QListWidget::itemChanged, this, changed);
  connect(cmbWorkstate_, &QComboBox::currentIndexChanged, this, changed);
  connect(memoItem_, &QPlainTextEdit::textChanged, this, changed);
  connect(memoResult_, &QPlainTextEdit::textChanged, this, changed);
  connect(lbDocuments_, &QListWidget::itemChanged, this, changed);
  connect(memoReviewNote_, &QPlainTextEdit::textChanged, this, changed);
  connect(findings_, &FindingsPage::changed, this, changed);
}

void ItemDetailForm::load(const ItemDetails& d) {
  labelID_->setText(detail::ToQt(d.id));
  editName_->setText(detail::ToQt(d.name));
  riskEntries_ = d.riskEntries;
  cmbRisk_->clear();
  for (const std::string& e : d.riskEntries) cmbRisk_->addItem(detail::ToQt(e));
  cmbRisk_->setCurrentIndex(d.riskIndex);
  detail::FillCheckList(lbOU_, d.ouEntries);
  cmbWorkstate_->clear();
  // No item, no work state: the box stays empty like the others.
  if (d.hasItem) {
    for (const char* t : {"nicht definiert", "unvollständig", "vollständig bearbeitet"})
      cmbWorkstate_->addItem(QString::fromUtf8(t));
    cmbWorkstate_->setCurrentIndex(d.workStateIndex);
  }
  memoItem_->setPlainText(detail::MultiLineToQt(d.description));
  memoResult_->setPlainText(detail::MultiLineToQt(d.result));
  detail::FillCheckList(lbDocuments_, d.documentEntries);
  findings_->setFindings(d.findings);
  signOffs_ = d;
  memoReviewNote_->setPlainText(detail::MultiLineToQt(d.reviewNote));
  showSignOffs();
}

void ItemDetailForm::showSignOffsOf(const ItemDetails& details) {
  signOffs_ = details;
  showSignOffs();
}

void ItemDetailForm::showSignOffs() {
  const auto line = [](const char* what, const std::string& by, const std::string& at) {
    if (by.empty() && at.empty()) return QString::fromUtf8(what) + QStringLiteral(": noch nicht abgezeichnet");
    return QString::fromUtf8(what) + QStringLiteral(" von ") + (by.empty() ? QStringLiteral("?") : detail::ToQt(by)) +
           QStringLiteral(" am ") + (at.empty() ? QStringLiteral("?") : detail::ToQt(at));
  };
  labelPrepared_->setText(line("Bearbeitet", signOffs_.preparedBy, signOffs_.preparedAt));
  labelReviewed_->setText(line("Geprüft", signOffs_.reviewedBy, signOffs_.reviewedAt));
  const SignOffState state = SignOffStateOf(signOffs_);
  labelSignOff_->setText(signOffs_.hasItem ? detail::ToQt(SignOffStateText(state)) : QString());
  labelSignOff_->setStyleSheet(state == SignOffState::ChangedAfterReview ? labelChangedAfterReview_->styleSheet()
                                                                        : QString());
  labelChangedAfterReview_->setVisible(state == SignOffState::ChangedAfterReview);
  for (QPushButton* b : {btnSignPrepared_, btnSignReviewed_}) b->setEnabled(signOffs_.hasItem);
  btnRemoveSignOff_->setEnabled(state != SignOffState::Open);
}

void ItemDetailForm::signOff(void (*sign)(ItemDetails&, std::string_view, std::string_view), const char* step) {
  const StampSource stamps = context_.stamps();
  sign(signOffs_, stamps.userStamp(), DateTimeText(stamps.now()));
  showSignOffs();
  emit changed();
  emit signedOff(QString::fromUtf8(step));
}

void ItemDetailForm::removeSignOff() {
  RemoveLatestSignOff(signOffs_);
  showSignOffs();
  emit changed();
  emit signedOff(QStringLiteral("Abzeichnung entfernen"));
}

void ItemDetailForm::showId(const std::string& id) { labelID_->setText(detail::ToQt(id)); }

ItemDetails ItemDetailForm::current() const {
  ItemDetails d;
  d.hasItem = cmbWorkstate_->count() > 0;
  d.id = detail::FromQt(labelID_->text());
  d.name = detail::FromQt(editName_->text());
  d.riskEntries = riskEntries_;
  d.riskIndex = cmbRisk_->currentIndex();
  d.ouEntries = detail::CheckListEntries(lbOU_);
  d.workStateIndex = std::max(0, cmbWorkstate_->currentIndex());
  d.description = detail::MultiLineFromQt(memoItem_->toPlainText());
  d.result = detail::MultiLineFromQt(memoResult_->toPlainText());
  d.documentEntries = detail::CheckListEntries(lbDocuments_);
  d.findings = findings_->findings();
  d.preparedBy = signOffs_.preparedBy;
  d.preparedAt = signOffs_.preparedAt;
  d.reviewedBy = signOffs_.reviewedBy;
  d.reviewedAt = signOffs_.reviewedAt;
  d.reviewSigned = signOffs_.reviewSigned;
  d.changedAfterReview = signOffs_.changedAfterReview;
  d.reviewNote = detail::MultiLineFromQt(memoReviewNote_->toPlainText());
  return d;
}

}  // namespace orvela
