#pragma once
// The tab "Berichte" of the work-file window: a template of the report directory is run
// against the open work file, the report shows in the editable preview reReport and is
// saved, printed, written as PDF or opened in another program from there.
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "model/WorkFileData.h"
#include "platform/WorkFileContext.h"
#include "rtf/Document.h"

class QComboBox;
class QLabel;
class QTextEdit;
class QToolButton;

namespace orvela {
namespace rtf {
class PagedDocument;
}

// What the page asks of the program around it.
struct ReportsPageHost {
  // The program's one report directory (empty: none set) and how to change it for the
  // rest of the run.
  std::function<QString()> reportDir;
  std::function<void(const QString&)> setReportDir;
  std::function<LocalDateTime()> now;
  // Brings the findings overview up to date, so that it shows what the report is made of.
  std::function<void()> refreshFindings;
  // Edits still pending elsewhere in the window go into the data before a report reads it.
  std::function<void()> acceptPendingEdits;
};

class ReportsPage : public QWidget {
  Q_OBJECT
 public:
  ReportsPage(WorkFileContext& context, ReportsPageHost host, QWidget* parent = nullptr);

  // The tab has been switched to: templates added since the last visit appear.
  void tabShown();

  void RefreshReportList();
  void acSelectReportDir();
  void cmbReportChange();
  void acExecReport();
  void acSaveReport();
  void acSaveReportPdf();
  void acPrintReport();
  void acOpenReportExt();

  // Fills the preview from the template at `templatePath`, with the findings overview
  // rebuilt first. A missing template is reported and leaves the preview as it is.
  void BuildReport(const QString& templatePath);

  // The directory templates come from: the program's, or the examples while none is set.
  QString reportDir() const;
  // The report as it is saved and opened: the engine's text while the preview is as the
  // run left it, the preview's content once the user has changed it (on the report's page,
  // with its headers, footers and table geometry).
  std::string reportText() const;

  // The report's pages as printed and written as PDF: the preview's content on the page
  // set-up of the template, with its headers and footers.
  std::unique_ptr<rtf::PagedDocument> pages() const;

  QTextEdit* preview() const { return reReport_; }
  QComboBox* templateBox() const { return cmbReport_; }

 private:
  void buildStrip(QWidget* strip);
  // The save dialog, starting in the folder of the last report saved; empty when cancelled.
  QString askSavePath(const QString& title, const QString& filter, const QString& suffix);
  // Writes the report; a failure reaches the error report. False when it failed.
  bool writeReport(const QString& path);

  WorkFileContext& context_;
  ReportsPageHost host_;
  // Shows the page set-up, headers and footers of the report in the note line above the
  // preview, and wraps the preview's lines where the page wraps them.
  void showPageOfReport();

  // The engine's text of the last run; the preview shows it until the user edits it.
  std::optional<std::string> generated_;
  // The page of the last run's template (none: it sets none) and its headers and footers.
  std::optional<rtf::PageSetup> page_;
  rtf::HeadersFooters headersFooters_;

  QLabel* labelReportPage_ = nullptr;
  QTextEdit* reReport_;
  QLabel* labelReport_ = nullptr;
  QComboBox* cmbReport_ = nullptr;
  QToolButton* sbSelectReportDir_ = nullptr;
  QToolButton* sbExecReport_ = nullptr;
  QToolButton* sbSaveReport_ = nullptr;
  QToolButton* sbSaveReportPdf_ = nullptr;
  QToolButton* sbPrintReport_ = nullptr;
  QToolButton* sbOpenReportExt_ = nullptr;
};

}  // namespace orvela
