#include "workfile/AuditOverviewPrint.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "platform/Cp1252Text.h"
#include "rtf/qt/PagedDocument.h"
#include "workfile/AuditOverviewChart.h"

namespace orvela {
namespace {

constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch
constexpr int kScale = 3;           // printed pictures at three times the screen's resolution
constexpr int kMaxPictureHeight = 860;  // pixels; a page holds some 970 between its margins

// The texts around the drawing in the drawing's font family.
rtf::Block TextParagraph(const QString& text, const QFont& font, int halfPoints, bool bold, int spaceBefore = 0,
                         int spaceAfter = 120) {
  rtf::Paragraph paragraph;
  paragraph.format.spaceBefore = spaceBefore;
  paragraph.format.spaceAfter = spaceAfter;
  rtf::Run run;
  run.text = text.toStdString();
  run.format.font = font.family().toStdString();
  run.format.halfPoints = halfPoints;
  run.format.bold = bold;
  paragraph.runs.push_back(std::move(run));
  return {std::move(paragraph)};
}

rtf::Block PictureParagraph(const std::vector<ChartBand>& bands, std::size_t from, std::size_t to, int width) {
  int height = 0;
  for (std::size_t i = from; i < to; ++i) height += bands[i].height;
  QImage image(width * kScale, height * kScale, QImage::Format_RGB32);
  image.setDevicePixelRatio(kScale);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QRect band(0, 0, width, 0);
    for (std::size_t i = from; i < to; ++i) {
      band.setHeight(bands[i].height);
      bands[i].paint(painter, band);
      band.translate(0, bands[i].height);
    }
  }
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");

  rtf::Paragraph paragraph;
  rtf::Run run;
  run.picture = rtf::Picture{rtf::Picture::Format::Png, png.toStdString(), width * kTwipsPerPixel, height * kTwipsPerPixel};
  paragraph.runs.push_back(std::move(run));
  return {std::move(paragraph)};
}

rtf::Cell TextCell(const QString& text, const QFont& font, int widthTwips, bool bold) {
  rtf::Cell cell;
  cell.widthTwips = widthTwips;
  cell.blocks.push_back(TextParagraph(text, font, 18, bold, 0, 0));
  const rtf::Border line{};
  cell.borders = {line, line, line, line};
  return cell;
}

rtf::Block OverdueTable(const AuditOverview& overview, const QFont& font) {
  struct Column {
    const char* caption;
    int widthTwips;
  };
  static constexpr Column kColumns[] = {
      {"Termin", 1300}, {"Objekt ID", 1100}, {"Element", 2700}, {"Feststellung", 3000}, {"Risiko", 1500}};
  rtf::Table table;
  rtf::Row header;
  header.header = true;
  for (const Column& column : kColumns) header.cells.push_back(TextCell(QString::fromUtf8(column.caption), font, column.widthTwips, true));
  table.rows.push_back(std::move(header));
  for (const OverdueFinding& finding : overview.overdue) {
    const QString texts[] = {QString::fromStdString(ShortDateText(finding.deadline)), platform::FromCp1252(finding.itemId),
                             platform::FromCp1252(finding.itemName), platform::FromCp1252(finding.name),
                             platform::FromCp1252(finding.risk)};
    rtf::Row row;
    for (std::size_t c = 0; c < std::size(kColumns); ++c) row.cells.push_back(TextCell(texts[c], font, kColumns[c].widthTwips, false));
    table.rows.push_back(std::move(row));
  }
  return {std::move(table)};
}

}  // namespace

rtf::Document AuditOverviewDocument(const AuditOverview& overview, CalendarDate today, const QString& title,
                                    const QFont& font) {
  rtf::Document document;
  document.page = rtf::DefaultPageSetup();
  const rtf::PageSetup& page = *document.page;
  const int width = (rtf::PageWidth(page) - page.marginLeft - page.marginRight) / kTwipsPerPixel;

  QFont drawing = font;
  drawing.setPointSizeF(9);
  document.blocks.push_back(TextParagraph(title, drawing, 32, true));
  document.blocks.push_back(TextParagraph(QStringLiteral("Stand: %1").arg(QString::fromStdString(ShortDateText(today))),
                                          drawing, 20, false, 0, 240));

  // Bands go together into one picture as long as it stays well below a page.
  const std::vector<ChartBand> bands = AuditOverviewBands(overview, drawing, Qt::black, width);
  std::size_t from = 0;
  int height = 0;
  for (std::size_t i = 0; i < bands.size(); ++i) {
    if (i > from && height + bands[i].height > kMaxPictureHeight) {
      document.blocks.push_back(PictureParagraph(bands, from, i, width));
      from = i;
      height = 0;
    }
    height += bands[i].height;
  }
  if (from < bands.size()) document.blocks.push_back(PictureParagraph(bands, from, bands.size(), width));

  if (overview.overdue.empty()) {
    document.blocks.push_back(TextParagraph(QStringLiteral("Keine überfälligen Feststellungen."), drawing, 22, true, 360));
  } else {
    document.blocks.push_back(TextParagraph(
        QStringLiteral("Überfällige Feststellungen (%1)").arg(overview.overdue.size()), drawing, 22, true, 360));
    document.blocks.push_back(OverdueTable(overview, drawing));
  }
  return document;
}

}  // namespace orvela
