#include "cli/pdf/ReportPdf.h"

#include <QFile>
#include <QGuiApplication>
#include <memory>

#include "cli/ReportCommand.h"
#include "rtf/RtfReader.h"
#include "rtf/qt/PagedDocument.h"

namespace orvela::cli {

bool WriteReportPdf(const std::string& reportRtf, const std::string& path, const LocalDateTime& now,
                    std::string& error) {
  std::unique_ptr<QGuiApplication> app;
  if (!QCoreApplication::instance()) {
    // Whatever display the environment names: the pages are drawn off screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "orvela-wp-cli";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
  }
  const rtf::PagedDocument pages(rtf::ReadRtf(reportRtf),
                                 QDateTime(QDate(now.year, now.month, now.day), QTime(now.hour, now.minute, now.second)));
  QString message;
  if (!rtf::WritePdf(pages, QFile::decodeName(path.c_str()), QStringLiteral("Bericht"), message)) {
    error = message.toStdString();
    return false;
  }
  return true;
}

void RegisterReportCommandWithPdf(CLI::App& app, CliContext& context) {
  RegisterReportCommand(app, context, WriteReportPdf);
}

}  // namespace orvela::cli
