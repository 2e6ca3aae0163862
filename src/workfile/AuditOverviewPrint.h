#pragma once
// The overview tab on paper: a title, the drawing cut into pictures between its bands so
// that no bar is split by a page break, and the overdue findings as a table.
#include <QFont>
#include <QString>

#include "model/AuditOverview.h"
#include "rtf/Document.h"

namespace orvela {

// `title` heads the first page (UTF-8 texts go into the document as they are); `font` is
// the drawing's.
rtf::Document AuditOverviewDocument(const AuditOverview& overview, CalendarDate today, const QString& title,
                                    const QFont& font);

}  // namespace orvela
