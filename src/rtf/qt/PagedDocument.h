#pragma once
// The pages of a report: the body laid out on the paper of its page set-up between the
// margins, the headers and footers painted on every page with their fields (page number,
// page count, date, time) filled in. The one renderer behind printing, PDF files (from the
// reports tab and from orvela-wp-cli) and the page count the preview shows.
#include <QDateTime>
#include <QPageLayout>
#include <QPageRanges>
#include <QString>
#include <memory>

#include "rtf/Document.h"

class QPagedPaintDevice;
class QTextDocument;

namespace orvela::rtf {

// The page of a text that sets none: A4 portrait with 2 cm margins.
PageSetup DefaultPageSetup();

// Paper and orientation of a page set-up. The margins are 0: the renderer places body,
// headers and footers itself, so a device's own margins never shift them.
QPageLayout PageLayoutOf(const PageSetup& page);

class PagedDocument {
 public:
  // `body` is copied; `now` fills the date and time fields.
  PagedDocument(const QTextDocument& body, PageSetup page, HeadersFooters headersFooters, QDateTime now);
  // The body from a model (a report as the engine made it).
  PagedDocument(const Document& model, QDateTime now);
  ~PagedDocument();
  PagedDocument(const PagedDocument&) = delete;
  PagedDocument& operator=(const PagedDocument&) = delete;

  const QTextDocument& body() const { return *body_; }
  const PageSetup& page() const { return page_; }
  QPageLayout pageLayout() const { return PageLayoutOf(page_); }

  // Paints the pages in `ranges` (all when empty) on `device`, whose paper is used as it is
  // set (a print dialog may have changed it), with the set-up's margins. Returns the number
  // of pages painted.
  int paint(QPagedPaintDevice& device, const QPageRanges& ranges = {}) const;
  // The number of pages a PDF of this document has.
  int pageCount() const;

  // A header or footer of page `pageNumber` of `pageCount` as text, fields filled.
  QString headerText(int pageNumber, int pageCount) const;
  QString footerText(int pageNumber, int pageCount) const;

 private:
  struct Geometry;
  Geometry geometryOn(QPagedPaintDevice& device) const;
  std::unique_ptr<QTextDocument> bodyOn(QPagedPaintDevice& device, const Geometry& geometry) const;

  std::unique_ptr<QTextDocument> body_;
  PageSetup page_;
  HeadersFooters headersFooters_;
  QDateTime now_;
};

// Writes the pages as a PDF file, put in place only when complete. False with `error` set
// when the file cannot be written.
bool WritePdf(const PagedDocument& pages, const QString& path, const QString& title, QString& error);

}  // namespace orvela::rtf
