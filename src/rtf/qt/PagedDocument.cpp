#include "PagedDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>

#include "ParagraphBorders.h"
#include "RichText.h"
#include "rtf/PlainText.h"

namespace orvela::rtf {
namespace {

// The resolution of the PDF files; the page count is laid out at the same.
constexpr int kPdfDpi = 1200;

// Date and time pictures of reports (dd.MM.yyyy, HH:mm) mean the same to Qt.
QString FieldValue(const Run& run, int pageNumber, int pageCount, const QDateTime& now) {
  const QString picture = QString::fromStdString(run.fieldFormat);
  switch (run.field) {
    case FieldKind::Page: return QString::number(pageNumber);
    case FieldKind::NumPages: return QString::number(pageCount);
    case FieldKind::Date: return now.date().toString(picture.isEmpty() ? QStringLiteral("dd.MM.yyyy") : picture);
    case FieldKind::Time: return now.time().toString(picture.isEmpty() ? QStringLiteral("HH:mm") : picture);
    case FieldKind::None: break;
  }
  return QString::fromStdString(run.text);
}

void FillFields(std::vector<Block>& blocks, int pageNumber, int pageCount, const QDateTime& now) {
  for (Block& block : blocks) {
    if (auto* p = std::get_if<Paragraph>(&block.content)) {
      for (Run& run : p->runs) {
        if (run.field != FieldKind::None) run.text = FieldValue(run, pageNumber, pageCount, now).toStdString();
      }
    } else {
      for (Row& row : std::get<Table>(block.content).rows) {
        for (Cell& cell : row.cells) FillFields(cell.blocks, pageNumber, pageCount, now);
      }
    }
  }
}

Document Filled(const std::vector<Block>& blocks, int pageNumber, int pageCount, const QDateTime& now) {
  Document part;
  part.blocks = blocks;
  FillFields(part.blocks, pageNumber, pageCount, now);
  return part;
}

// Text without a font of its own is set in the font RTF assumes, whatever the program's
// own font is, so that the pages come out the same from every program that renders them.
QFont BaseFont() {
  QFont font(QStringLiteral("Times New Roman"));
  font.setPointSizeF(12);
  return font;
}

// Everything a text editor may have set on its document is set again, so that the pages
// of the preview's document and of the same report read elsewhere are the same.
void LayOutFor(QTextDocument& document, QPaintDevice& device) {
  document.setDefaultFont(BaseFont());
  QTextOption option = document.defaultTextOption();
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  document.setDefaultTextOption(option);
  // document.setUseDesignMetrics(true);
  document.documentLayout()->setPaintDevice(&device);
  document.setDocumentMargin(0);
}

// A header or footer of one page, laid out across the width of the body.
std::unique_ptr<QTextDocument> PartOnPage(const std::vector<Block>& blocks, int pageNumber, int pageCount,
                                          const QDateTime& now, QPaintDevice& device, double width) {
  if (blocks.empty()) return nullptr;
  auto part = std::make_unique<QTextDocument>();
  ToTextDocument(Filled(blocks, pageNumber, pageCount, now), *part);
  LayOutFor(*part, device);
  part->setTextWidth(width);
  return part;
}

}  // namespace

PageSetup DefaultPageSetup() {
  PageSetup page;
  page.paperWidth = 11906;
  page.paperHeight = 16838;
  page.marginLeft = page.marginRight = page.marginTop = page.marginBottom = 1134;
  return page;
}

QPageLayout PageLayoutOf(const PageSetup& page) {
  const int width = std::clamp(PageWidth(page), 1440, kMaxTwips);
  const int height = std::clamp(PageHeight(page), 1440, kMaxTwips);
  // The paper is named by its portrait size; the orientation turns it.
  const QSizeF portrait(std::min(width, height) / 20.0, std::max(width, height) / 20.0);
  const QPageSize size(portrait, QPageSize::Point, QString(), QPageSize::FuzzyOrientationMatch);
  return QPageLayout(size, width > height ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

// Where body, header and footer go on the paper of one device, in its pixels.
struct PagedDocument::Geometry {
  double dpi = 96;
  QRectF paper;
  QRectF body;
};

PagedDocument::PagedDocument(const QTextDocument& body, PageSetup page, HeadersFooters headersFooters, QDateTime now)
    : body_(body.clone()), page_(page), headersFooters_(std::move(headersFooters)), now_(std::move(now)) {}

PagedDocument::PagedDocument(const Document& model, QDateTime now)
    : body_(std::make_unique<QTextDocument>()),
      page_(model.page.value_or(DefaultPageSetup())),
      headersFooters_(model.headersFooters),
      now_(std::move(now)) {
  ToTextDocument(model, *body_);
}

PagedDocument::~PagedDocument() = default;

PagedDocument::Geometry PagedDocument::geometryOn(QPagedPaintDevice& device) const {
  Geometry g;
  g.dpi = device.logicalDpiY();
  const auto px = [&](int twips) { return std::clamp(twips, 0, kMaxTwips) * g.dpi / 1440.0; };
  g.paper = QRectF(QPointF(0, 0), device.pageLayout().fullRectPixels(device.logicalDpiX()).size());
  // Margins that leave no room are taken as none: the text must go somewhere.
  double left = px(page_.marginLeft), right = px(page_.marginRight);
  if (left + right > g.paper.width() * 0.9) left = right = 0;
  double top = px(page_.marginTop), bottom = px(page_.marginBottom);
  // A header taller than its room pushes the body down, a footer pushes it up.
  const double width = g.paper.width() - left - right;
  double headerHeight = 0, footerHeight = 0;
  for (int pageNumber : {1, 2}) {
    if (const auto header = PartOnPage(HeaderFor(headersFooters_, pageNumber), pageNumber, 99, now_, device, width))
      headerHeight = std::max(headerHeight, header->size().height());
    if (const auto footer = PartOnPage(FooterFor(headersFooters_, pageNumber), pageNumber, 99, now_, device, width))
      footerHeight = std::max(footerHeight, footer->size().height());
  }
  if (headerHeight > 0) top = std::max(top, px(page_.headerDistance) + headerHeight + g.dpi / 20);
  if (footerHeight > 0) bottom = std::max(bottom, px(page_.footerDistance) + footerHeight + g.dpi / 20);
  if (top + bottom > g.paper.height() * 0.9) top = bottom = 0;
  g.body = QRectF(left, top, width, g.paper.height() - top - bottom);
  return g;
}

std::unique_ptr<QTextDocument> PagedDocument::bodyOn(QPagedPaintDevice& device, const Geometry& g) const {
  std::unique_ptr<QTextDocument> body(body_->clone());
  LayOutFor(*body, device);
  body->setPageSize(g.body.size());
  return body;
}

int PagedDocument::paint(QPagedPaintDevice& device, const QPageRanges& ranges) const {
  const Geometry g = geometryOn(device);
  const std::unique_ptr<QTextDocument> body = bodyOn(device, g);
  const int pages = std::max(1, body->pageCount());
  QPainter painter(&device);
  if (!painter.isActive()) return 0;
  // Drawn in the coordinates of the paper, whatever margins the device keeps.
  const QPointF origin = -device.pageLayout().paintRectPixels(device.logicalDpiX()).topLeft();
  int painted = 0;
  for (int i = 0; i < pages; ++i) {
    if (!ranges.isEmpty() && !ranges.contains(i + 1)) continue;
    if (painted++ > 0) device.newPage();
    painter.save();
    painter.translate(origin);
    const auto drawPart = [&](const QTextDocument* part, double y) {
      if (!part) return;
      painter.save();
      painter.translate(g.body.left(), y);
      DrawDocument(painter, *part, QAbstractTextDocumentLayout::PaintContext());
      painter.restore();
    };
    const double px = g.dpi / 1440.0;
    const auto header = PartOnPage(HeaderFor(headersFooters_, i + 1), i + 1, pages, now_, device, g.body.width());
    drawPart(header.get(), std::clamp(page_.headerDistance, 0, kMaxTwips) * px);
    const auto footer = PartOnPage(FooterFor(headersFooters_, i + 1), i + 1, pages, now_, device, g.body.width());
    if (footer) {
      drawPart(footer.get(),
               g.paper.height() - std::clamp(page_.footerDistance, 0, kMaxTwips) * px - footer->size().height());
    }

    const double height = g.body.height();
    painter.translate(g.body.left(), g.body.top() - i * height);
    QAbstractTextDocumentLayout::PaintContext context;
    // Cut between the pages only: lines of borders and tables may reach into the margins.
    context.clip = QRectF(-g.body.left(), i * height, g.paper.width(), height);
    painter.setClipRect(context.clip);
    DrawDocument(painter, *body, context);
    painter.restore();
  }
  return painted;
}

int PagedDocument::pageCount() const {
  QBuffer sink;
  sink.open(QIODevice::WriteOnly);
  QPdfWriter writer(&sink);
  writer.setResolution(kPdfDpi);
  writer.setPageLayout(pageLayout());
  return std::max(1, bodyOn(writer, geometryOn(writer))->pageCount());
}

QString PagedDocument::headerText(int pageNumber, int pageCount) const {
  return QString::fromStdString(PlainText(Filled(HeaderFor(headersFooters_, pageNumber), pageNumber, pageCount, now_)));
}

QString PagedDocument::footerText(int pageNumber, int pageCount) const {
  return QString::fromStdString(PlainText(Filled(FooterFor(headersFooters_, pageNumber), pageNumber, pageCount, now_)));
}

bool WritePdf(const PagedDocument& pages, const QString& path, const QString& title, QString& error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    error = file.errorString();
    return false;
  }
  {
    QPdfWriter writer(&file);
    writer.setResolution(kPdfDpi);
    writer.setPageLayout(pages.pageLayout());
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Orvela WP"));
    if (pages.paint(writer) == 0) {
      file.cancelWriting();
      error = QStringLiteral("PDF konnte nicht erzeugt werden");
      return false;
    }
  }
  if (!file.commit()) {
    error = file.errorString();
    return false;
  }
  return true;
}

}  // namespace orvela::rtf
