#include "reports/ReportsPage.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QShortcut>
#include <QStringList>
#include <QStyle>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <exception>

#include "model/TextUtils.h"
#include "platform/ErrorReport.h"
#include "platform/Services.h"
#include "platform/TempFiles.h"
#include "platform/WindowPlaces.h"
#include "reports/ReportDirectory.h"
#include "reports/ReportPreview.h"
#include "reports/engine/ReportEngine.h"
#include "reports/engine/ReportInputBuilder.h"
#include "rtf/CarryOverLayout.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"
#include "rtf/qt/PagedDocument.h"
#include "rtf/qt/RichText.h"
#include "storage/SafeFileWriter.h"

namespace orvela {
namespace {

using platform::MessageKind;

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

QString Centimetres(int twips) { return QLocale(QLocale::German).toString(twips * 2.54 / 1440.0, 'f', 1); }

// "A4 quer", "Letter hoch", or the size for paper without a name.
QString PaperText(const rtf::PageSetup& page) {
  const QPageLayout layout = rtf::PageLayoutOf(page);
  const QString turn = layout.orientation() == QPageLayout::Landscape ? QStringLiteral("quer") : QStringLiteral("hoch");
  const QPageSize::PageSizeId id = layout.pageSize().id();
  if (id == QPageSize::Custom) {
    return Centimetres(rtf::PageWidth(page)) + QStringLiteral(" × ") + Centimetres(rtf::PageHeight(page)) +
           QStringLiteral(" cm ") + turn;
  }
  return QPageSize::name(id) + QLatin1Char(' ') + turn;
}

// A header or footer in quotes, on one line: paragraphs joined by " / ", a tab as a visible
// gap (rich text would fold plain blanks into one).
QString Quoted(const QString& text) {
  QString line = text.trimmed().toHtmlEscaped();
  line.replace(QLatin1String("\r\n"), QLatin1String(" / "));
  line.replace(QLatin1Char('\t'), QStringLiteral(" &nbsp;&nbsp; "));
  return QStringLiteral("„") + line + QStringLiteral("“");
}

// The note above the preview: paper, margins, page count, and the header and footer of
// the first page as they are printed.
QString PageNote(const rtf::PagedDocument& report, bool fromTemplate) {
  const rtf::PageSetup& page = report.page();
  const int count = report.pageCount();
  QString note = QStringLiteral("<b>Papier:</b> ") + PaperText(page);
  if (!fromTemplate) note += QStringLiteral(" (Vorgabe, die Vorlage legt kein Papier fest)");
  note += QStringLiteral(" · Ränder: links %1, rechts %2, oben %3, unten %4 cm · ")
              .arg(Centimetres(page.marginLeft), Centimetres(page.marginRight), Centimetres(page.marginTop),
                   Centimetres(page.marginBottom)) +
          (count == 1 ? QStringLiteral("1 Seite") : QString::number(count) + QStringLiteral(" Seiten"));
  const QString parts[][2] = {{QStringLiteral("Kopfzeile"), report.headerText(1, count)},
                              {QStringLiteral("Fußzeile"), report.footerText(1, count)}};
  bool any = false;
  for (const auto& [caption, text] : parts) {
    if (text.trimmed().isEmpty()) continue;
    note += QStringLiteral("<br><b>") + caption + QStringLiteral(":</b> ") + Quoted(text);
    any = true;
  }
  if (any) note += QStringLiteral(" <i>(wie auf Seite 1; im Druck und im PDF auf jeder Seite)</i>");
  return note;
}

QIcon Glyph(const QWidget* widget, const char* themeName, QStyle::StandardPixmap fallback) {
  return QIcon::fromTheme(QString::fromLatin1(themeName), widget->style()->standardIcon(fallback));
}

}  // namespace

ReportsPage::ReportsPage(WorkFileContext& context, ReportsPageHost host, QWidget* parent)
    : QWidget(parent), context_(context), host_(std::move(host)), reReport_(new ReportPreview(this)) {
  setObjectName(QStringLiteral("ReportsPage"));
  reReport_->setObjectName(QStringLiteral("reReport"));
  reReport_->setAcceptRichText(true);
  reReport_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  reReport_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  auto* strip = new QWidget(this);
  strip->setObjectName(QStringLiteral("panelReport"));
  buildStrip(strip);

  // What the preview cannot show in its running text: the page, headers and footers.
  labelReportPage_ = new QLabel(this);
  labelReportPage_->setObjectName(QStringLiteral("labelReportPage"));
  labelReportPage_->setWordWrap(true);
  labelReportPage_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  labelReportPage_->setContentsMargins(4, 2, 4, 2);
  labelReportPage_->hide();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(labelReportPage_);
  layout->addWidget(reReport_, 1);
  layout->addWidget(strip);

  // F5 runs the chosen template from anywhere on the tab, as Return does in the name box.
  auto* run = new QShortcut(QKeySequence(Qt::Key_F5), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
  connect(run, &QShortcut::activated, this, [this] {
    if (sbExecReport_->isEnabled()) acExecReport();
  });
  cmbReportChange();
}

void ReportsPage::buildStrip(QWidget* strip) {
  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(2, 2, 2, 2);
  row->setSpacing(2);

  labelReport_ = new QLabel(QStringLiteral("Bericht:"), strip);
  labelReport_->setObjectName(QStringLiteral("labelReport"));
  cmbReport_ = new QComboBox(strip);
  cmbReport_->setObjectName(QStringLiteral("cmbReport"));
  cmbReport_->setEditable(true);
  cmbReport_->setInsertPolicy(QComboBox::NoInsert);
  cmbReport_->setMinimumContentsLength(24);
  cmbReport_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  labelReport_->setBuddy(cmbReport_);
  connect(cmbReport_, &QComboBox::editTextChanged, this, &ReportsPage::cmbReportChange);
  connect(cmbReport_->lineEdit(), &QLineEdit::returnPressed, this, [this] {
    if (sbExecReport_->isEnabled()) acExecReport();
  });
  row->addWidget(labelReport_);
  row->addWidget(cmbReport_, 1);

  struct Button {
    QToolButton** button;
    const char* name;
    const char* hint;
    const char* theme;
    QStyle::StandardPixmap fallback;
    void (ReportsPage::*command)();
    int gapBefore;
  };
  const Button buttons[] = {
      {&sbSelectReportDir_, "sbSelectReportDir", "Reportverzeichnis bestimmen", "folder-open", QStyle::SP_DirOpenIcon,
       &ReportsPage::acSelectReportDir, 0},
      {&sbExecReport_, "sbExecReport", "Report ausführen (interne Vorschau)", "media-playback-start",
       QStyle::SP_MediaPlay, &ReportsPage::acExecReport, 12},
      {&sbSaveReport_, "sbSaveReport", "Report als rtf-Datei speichern", "document-save", QStyle::SP_DialogSaveButton,
       &ReportsPage::acSaveReport, 12},
      {&sbSaveReportPdf_, "sbSaveReportPdf", "Report als PDF speichern", "application-pdf", QStyle::SP_FileIcon,
       &ReportsPage::acSaveReportPdf, 0},
      {&sbPrintReport_, "sbPrintReport", "Report drucken", "document-print", QStyle::SP_ComputerIcon,
       &ReportsPage::acPrintReport, 0},
      {&sbOpenReportExt_, "sbOpenReportExt", "Report in externer Anwendung öffnen", "document-open",
       QStyle::SP_DialogOpenButton, &ReportsPage::acOpenReportExt, 0},
  };
  for (const Button& b : buttons) {
    if (b.gapBefore) row->addSpacing(b.gapBefore);
    auto* button = new QToolButton(strip);
    button->setObjectName(QString::fromLatin1(b.name));
    button->setToolTip(QString::fromUtf8(b.hint));
    button->setStatusTip(QString::fromUtf8(b.hint));
    button->setAccessibleName(QString::fromUtf8(b.hint));
    button->setIcon(Glyph(this, b.theme, b.fallback));
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, b.command);
    row->addWidget(button);
    *b.button = button;
  }
  row->addStretch(0);
}

QString ReportsPage::reportDir() const { return EffectiveReportDir(host_.reportDir()); }

void ReportsPage::tabShown() {
  RefreshReportList();
  cmbReportChange();
}

void ReportsPage::RefreshReportList() {
  // Filling the list of an editable box changes its text; the name typed or chosen stays.
  const QString name = cmbReport_->currentText();
  const QSignalBlocker quiet(cmbReport_);
  cmbReport_->clear();
  cmbReport_->addItems(ReportTemplateNames(reportDir()));
  cmbReport_->setCurrentIndex(cmbReport_->findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive));
  cmbReport_->setEditText(name);
}

void ReportsPage::cmbReportChange() { sbExecReport_->setEnabled(!cmbReport_->currentText().isEmpty()); }

void ReportsPage::acSelectReportDir() {
  const QString chosen =
      context_.services().fileDialogs().chooseFolder(this, QStringLiteral("Reportverzeichnis bestimmen"), reportDir());
  if (!chosen.isEmpty()) {
    cmbReport_->setEditText(QString());
    host_.setReportDir(chosen);  // for the rest of the run; the settings file keeps its own
    RefreshReportList();
  }
  cmbReportChange();
}

void ReportsPage::acExecReport() {
  reReport_->clear();
  generated_.reset();
  page_.reset();
  headersFooters_ = {};
  showPageOfReport();
  BuildReport(QDir(reportDir()).filePath(cmbReport_->currentText()));
}

void ReportsPage::BuildReport(const QString& templatePath) {
  const std::string path = templatePath.toStdString();
  const auto missing = [&](const QString& text) {
    context_.services().showMessage(this, MessageKind::Warning, text);
  };
  // Checked before anything else is touched; any other failure to look is the read's.
  if (TemplateIsMissing(path)) {
    missing(QStringLiteral("Die Reportdatei ") + templatePath + QStringLiteral(" existiert nicht!"));
    return;
  }
  // Edits still pending in the item detail panel belong in the report; the overview list
  // shows the findings the report is made from.
  if (host_.acceptPendingEdits) host_.acceptPendingEdits();
  if (host_.refreshFindings) host_.refreshFindings();
  const BuiltReportInput built = BuildReportInput(context_.data(), host_.now);
  ReportResult result;
  try {
    result = BuildReportFromFile(path, built.input);
  } catch (const std::exception& e) {
    platform::ShowApplicationError(context_.services(), e, sbExecReport_);
    return;
  }
  if (!result.ok()) {  // gone in between
    missing(FromUtf8(result.warning));
    return;
  }
  if (rtf::IsRtf(result.text)) {
    rtf::Document model = rtf::ReadRtf(result.text);
    page_ = model.page;
    headersFooters_ = std::move(model.headersFooters);
    rtf::SetEditorContent(*reReport_->document(), model);
  } else {
    rtf::SetEditorContent(*reReport_->document(), result.text);
  }
  generated_ = std::move(result.text);
  showPageOfReport();
  if (!built.notes.empty()) {
    QStringList notes;
    for (const std::string& note : built.notes) notes << FromUtf8(note);
    context_.services().showMessage(this, MessageKind::Information, notes.join(QLatin1Char('\n')));
  }
}

std::unique_ptr<rtf::PagedDocument> ReportsPage::pages() const {
  const LocalDateTime t = host_.now ? host_.now() : LocalDateTime{};
  return std::make_unique<rtf::PagedDocument>(*reReport_->document(), page_.value_or(rtf::DefaultPageSetup()),
                                              headersFooters_,
                                              QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second)));
}

void ReportsPage::showPageOfReport() {
  if (!generated_) {
    labelReportPage_->hide();
    reReport_->setLineWrapMode(QTextEdit::WidgetWidth);
    return;
  }
  const std::unique_ptr<rtf::PagedDocument> report = pages();
  const rtf::PageSetup& page = report->page();
  // Lines break in the preview where they break on the page.
  reReport_->setLineWrapMode(QTextEdit::FixedPixelWidth);
  reReport_->setLineWrapColumnOrWidth(
      std::max(60, (rtf::PageWidth(page) - page.marginLeft - page.marginRight) / 15));
  labelReportPage_->setText(PageNote(*report, page_.has_value()));
  labelReportPage_->show();
}

std::string ReportsPage::reportText() const {
  // The preview cannot hold all a template may hold (fields, pictures of other kinds), so
  // the engine's text is handed on as long as the user has not changed the preview.
  if (generated_ && !reReport_->document()->isModified()) return *generated_;
  rtf::Document edited = rtf::FromTextDocument(*reReport_->document());
  // The edit keeps the report's page set-up, headers, footers and table geometry.
  if (generated_ && rtf::IsRtf(*generated_)) rtf::CarryOverLayout(rtf::ReadRtf(*generated_), edited);
  return rtf::WriteRtf(edited);
}

bool ReportsPage::writeReport(const QString& path) {
  try {
    WriteFileSafely(path.toStdString(), reportText());
    return true;
  } catch (const std::exception& e) {
    platform::ShowApplicationError(context_.services(), e, sbSaveReport_);
    return false;
  }
}

QString ReportsPage::askSavePath(const QString& title, const QString& filter, const QString& suffix) {
  platform::FileDialogRequest request;
  request.title = title;
  request.filter = filter;
  request.defaultSuffix = suffix;
  request.directory = context_.services().places().values().folders[std::size_t(platform::FolderKind::Reports)];
  request.overwritePrompt = true;
  return context_.services().fileDialogs().saveFile(this, request);
}

void ReportsPage::acSaveReport() {
  const QString path = askSavePath(QStringLiteral("Save Report"), QStringLiteral("Rich Text Files (*.rtf);;All Files (*)"),
                                   QStringLiteral("rtf"));
  if (path.isEmpty()) return;
  if (writeReport(path)) context_.services().places().chosen(platform::FolderKind::Reports, path);
}

void ReportsPage::acSaveReportPdf() {
  const QString path = askSavePath(QStringLiteral("Report als PDF speichern"),
                                   QStringLiteral("PDF-Dateien (*.pdf);;Alle Dateien (*)"), QStringLiteral("pdf"));
  if (path.isEmpty()) return;

  // Written aside and put in place only when complete, so that a failure leaves an
  // existing file as it was.
  QString error;
  if (!rtf::WritePdf(*pages(), path, QStringLiteral("Bericht"), error)) {
    context_.services().showMessage(this, MessageKind::Error,
                          QStringLiteral("Die Datei ") + QDir::toNativeSeparators(path) +
                              QStringLiteral(" konnte nicht geschrieben werden: ") + error);
    return;
  }
  context_.services().places().chosen(platform::FolderKind::Reports, path);
}

void ReportsPage::acPrintReport() {
  context_.services().printing().print(this, context_.printer(), *pages(), QStringLiteral("Bericht"));
}

void ReportsPage::acOpenReportExt() {
  QString path;
  try {
    path = platform::TempFileWithExt(QStringLiteral(".rtf"));
    WriteWholeFile(path.toStdString(), reportText());
  } catch (const std::exception& e) {
    platform::ShowApplicationError(context_.services(), e, sbOpenReportExt_);
    return;
  }
  // The other program may take its time to read the file: it stays until the program ends.
  context_.services().shell().open(path);
}

}  // namespace orvela
