#include "workfile/srcFindingProperties.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include "model/EvidenceFields.h"
#include "platform/DialogButtons.h"
#include "platform/ErrorReport.h"
#include "platform/Services.h"
#include "platform/WindowSize.h"
#include "workfile/DeadlineEdit.h"
#include "workfile/ItemDetailTextGuard.h"
#include "workfile/ItemDetailWidgets.h"

namespace orvela {
namespace {

QDate ToQDate(const CalendarDate& d) { return QDate(d.year, d.month, d.day); }

}  // namespace

TdlgFindingProperties::TdlgFindingProperties(platform::Services& services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      pages_(new QTabWidget(this)),
      editName_(new QLineEdit),
      cmbType_(new QComboBox),
      cmbRisk_(new QComboBox),
      cmbDate_(new DeadlineEdit),
      lbOU_(new QListWidget),
      lbEvidence_(new QListWidget),
      memoDescription_(new QPlainTextEdit),
      cmbStatus_(new QComboBox),
      editResponsible_(new QLineEdit),
      cmbDoneAt_(new DeadlineEdit),
      memoResponse_(new QPlainTextEdit) {
  setObjectName(QStringLiteral("dlgFindingProperties"));
  setWindowTitle(QStringLiteral("Feststellungseigenschaften"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  pages_->setObjectName(QStringLiteral("PageControl1"));
  platform::ShowWholeTabCaptions(pages_);

  editName_->setObjectName(QStringLiteral("editName"));
  cmbType_->setObjectName(QStringLiteral("cmbType"));
  cmbRisk_->setObjectName(QStringLiteral("cmbRisk"));
  cmbRisk_->setEditable(true);
  cmbRisk_->setInsertPolicy(QComboBox::NoInsert);
  cmbDate_->setObjectName(QStringLiteral("cmbDate"));
  lbOU_->setObjectName(QStringLiteral("lbOU"));
  lbEvidence_->setObjectName(QStringLiteral("lbEvidence"));
  memoDescription_->setObjectName(QStringLiteral("memoDescription"));
  memoDescription_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  for (const char* t : {"nicht definiert", "Empfehlung", "Maßnahme"}) cmbType_->addItem(QString::fromUtf8(t));
  cmbStatus_->setObjectName(QStringLiteral("cmbStatus"));
  for (int i = 0; i < kFindingStatusCount; ++i) cmbStatus_->addItem(detail::ToQt(FindingStatusText(i)));
  editResponsible_->setObjectName(QStringLiteral("editResponsible"));
  cmbDoneAt_->setObjectName(QStringLiteral("cmbDoneAt"));
  memoResponse_->setObjectName(QStringLiteral("memoResponse"));
  memoResponse_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memoResponse_->setTabChangesFocus(true);

  auto* general = new QWidget;
  general->setObjectName(QStringLiteral("TabSheet1"));
  auto* form = new QFormLayout(general);
  const std::pair<const char*, QWidget*> rows[] = {
      {"&Bezeichnung:", editName_}, {"&Typ:", cmbType_}, {"&Risiko:", cmbRisk_}, {"T&ermin:", cmbDate_}, {"&OE:", lbOU_}};
  for (const auto& [caption, control] : rows) form->addRow(QString::fromUtf8(caption), control);
  pages_->addTab(general, QStringLiteral("Allgemein"));
  const std::pair<QWidget*, const char*> filled[] = {{lbEvidence_, "Nachweise"}, {memoDescription_, "Beschreibung"}};
  int sheet = 2;
  for (const auto& [control, caption] : filled) {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("TabSheet%1").arg(sheet++));
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(control);
    pages_->addTab(tab, QString::fromUtf8(caption));
  }
  // What management answered and how far it got.
  auto* followUp = new QWidget;
  followUp->setObjectName(QStringLiteral("TabSheet4"));
  auto* followForm = new QFormLayout(followUp);
  const std::pair<const char*, QWidget*> followRows[] = {{"&Status:", cmbStatus_},
                                                         {"&Verantwortlich:", editResponsible_},
                                                         {"Umgesetzt &am:", cmbDoneAt_},
                                                         {"Stellung&nahme:", memoResponse_}};
  for (const auto& [caption, control] : followRows) followForm->addRow(QString::fromUtf8(caption), control);
  pages_->addTab(followUp, QStringLiteral("Umsetzung"));

  auto* guard = new TextGuard(this);
  guard->watch(editName_);
  guard->watch(cmbRisk_);
  guard->watch(memoDescription_);
  guard->watch(editResponsible_);
  guard->watch(memoResponse_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_, 1);
  layout->addWidget(platform::OkCancelButtons(this, true));

  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(help, &QShortcut::activated, this, [this] { services_.help().showHelp(this, 200); });
  platform::FixSizeAtLeast(this, QSize(360, 330));
  pages_->setCurrentIndex(0);
}

void TdlgFindingProperties::accept() {
  for (DeadlineEdit* field : {cmbDate_, cmbDoneAt_}) {
    if (field->date().isValid()) continue;
    services_.showMessage(this, platform::MessageKind::Error,
                          QString::fromUtf8(InvalidDateError(detail::FromQt(field->text())).what()));
    pages_->setCurrentIndex(field == cmbDate_ ? 0 : pages_->count() - 1);  // "Umsetzung" comes last
    field->setFocus(Qt::OtherFocusReason);
    return;
  }
  QDialog::accept();
}

void TdlgFindingProperties::load(const FindingForm& form) {
  editName_->setText(detail::ToQt(form.name));
  cmbType_->setCurrentIndex(form.typeIndex);
  riskEntries_ = form.riskEntries;
  cmbRisk_->clear();
  for (const std::string& e : form.riskEntries) cmbRisk_->addItem(detail::ToQt(e));
  cmbRisk_->setCurrentIndex(form.riskIndex);
  cmbRisk_->setEditText(detail::ToQt(form.riskText));
  detail::FillCheckList(lbOU_, form.ouEntries);
  detail::FillCheckList(lbEvidence_, form.evidenceEntries);
  memoDescription_->setPlainText(detail::MultiLineToQt(form.description));
  cmbDate_->setDate(ToQDate(form.deadline));
  cmbStatus_->setCurrentIndex(form.statusIndex);
  editResponsible_->setText(detail::ToQt(form.responsible));
  memoResponse_->setPlainText(detail::MultiLineToQt(form.response));
  cmbDoneAt_->setDate(form.doneAt ? ToQDate(*form.doneAt) : DeadlineEdit::kEmptyDate);
}

FindingForm TdlgFindingProperties::form() const {
  FindingForm f;
  f.name = detail::FromQt(editName_->text());
  f.typeIndex = cmbType_->currentIndex();
  f.riskEntries = riskEntries_;
  f.riskIndex = cmbRisk_->currentIndex();
  f.riskText = detail::FromQt(cmbRisk_->currentText());
  f.ouEntries = detail::CheckListEntries(lbOU_);
  f.evidenceEntries = detail::CheckListEntries(lbEvidence_);
  f.description = detail::MultiLineFromQt(memoDescription_->toPlainText());
  // "OK" lets no text through that is no date (accept()).
  const QDate d = cmbDate_->date();
  f.deadline = d.isValid() ? CalendarDate{d.year(), d.month(), d.day()} : kNoDeadlineDate;
  f.statusIndex = cmbStatus_->currentIndex();
  f.responsible = detail::FromQt(editResponsible_->text());
  f.response = detail::MultiLineFromQt(memoResponse_->toPlainText());
  const QDate done = cmbDoneAt_->date();
  if (done.isValid() && done != DeadlineEdit::kEmptyDate) f.doneAt = CalendarDate{done.year(), done.month(), done.day()};
  return f;
}

bool EditFinding(platform::Services& services, FieldList& record, const std::vector<std::string>& ouSource,
                 const std::vector<std::string>& documentSource, const std::string& riskDefs, QWidget* parent) {
  TdlgFindingProperties dialog(services, parent);
  FindingForm form;
  try {
    form = PrepareFindingForm(record, riskDefs, ouSource, documentSource);
  } catch (const InvalidDateError& error) {
    platform::ShowApplicationError(services, error, parent);
    return false;
  }
  dialog.load(form);
  if (services.runModal(dialog) != QDialog::Accepted) return false;
  WriteFindingForm(record, dialog.form());
  return true;
}

}  // namespace orvela
