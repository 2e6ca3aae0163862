#include "workfile/ItemDetailForm.h"

#include <QComboBox>
#include <algorithm>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
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
                                                   {"&Status:", cmbWorkstate_}};
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
  setCurrentIndex(0);

  guard_->watch(editName_);
  guard_->watch(memoItem_);
  guard_->watch(memoResult_);

  const auto changed = [this] { emit this->changed(); };
  connect(editName_, &QLineEdit::textChanged, this, changed);
  connect(cmbRisk_, &QComboBox::currentIndexChanged, this, changed);
  connect(lbOU_, &QListWidget::itemChanged, this, changed);
  connect(cmbWorkstate_, &QComboBox::currentIndexChanged, this, changed);
  connect(memoItem_, &QPlainTextEdit::textChanged, this, changed);
  connect(memoResult_, &QPlainTextEdit::textChanged, this, changed);
  connect(lbDocuments_, &QListWidget::itemChanged, this, changed);
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
  return d;
}

}  // namespace orvela
