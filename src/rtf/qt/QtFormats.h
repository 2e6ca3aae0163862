#pragma once
// Conversions between the model's formats and Qt's, shared by both directions.
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextListFormat>
#include <QTextTableCellFormat>
#include <QVariant>

#include "rtf/Document.h"

namespace orvela::rtf::qt {

// Qt lays out in pixels of a 96 dpi screen; RTF measures in twips.
constexpr double kTwipsPerPixel = 15.0;

// Indents of list paragraphs are kept here: Qt indents lists by their own level.
constexpr int kListLeftIndentProperty = QTextFormat::UserProperty + 0x4F31;
constexpr int kListFirstIndentProperty = QTextFormat::UserProperty + 0x4F32;

QTextCharFormat ToQt(const CharFormat& format);
CharFormat FromQt(const QTextCharFormat& format, const QTextDocument& document);

QTextBlockFormat ToQt(const ParagraphFormat& format);
ParagraphFormat FromQt(const QTextBlockFormat& format);

// A place of a table's grid that no cell of the model covers (a row shorter than others).
constexpr int kUncoveredCellProperty = QTextFormat::UserProperty + 0x4F33;
// The block between two tables that are one table of the model (rows cut differently).
constexpr int kTableSeamProperty = QTextFormat::UserProperty + 0x4F34;
// The borders of a paragraph (a Borders): Qt's layout draws none, PaintParagraphBorders does.
constexpr int kParagraphBordersProperty = QTextFormat::UserProperty + 0x4F35;

// The room above and below a paragraph's text that its border line and space take.
int BorderRoomTwips(const std::optional<Border>& border);

// Borders, shading, vertical alignment and the padding of a cell; `gapTwips` is the row's
// half gap between the texts of two cells.
QTextTableCellFormat CellFormat(const Cell& cell, int gapTwips);
// The same read back into `cell`.
void CellFromQt(const QTextTableCellFormat& format, Cell& cell);

QTextListFormat::Style ListStyleToQt(ListStyle style);
ListStyle ListStyleFromQt(QTextListFormat::Style style);

}  // namespace orvela::rtf::qt

Q_DECLARE_METATYPE(orvela::rtf::Borders)
