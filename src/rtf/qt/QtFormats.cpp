#include "QtFormats.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <iterator>

namespace orvela::rtf::qt {
namespace {

QColor ToQColor(const Color& c) { return QColor(c.red, c.green, c.blue); }

Color FromQColor(const QColor& c) {
  return Color{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
               static_cast<std::uint8_t>(c.blue())};
}

int Twips(double pixels) {
  return std::clamp(static_cast<int>(std::lround(pixels * kTwipsPerPixel)), -kMaxTwips, kMaxTwips);
}

// In the order of TabAlignment.
constexpr QTextOption::TabType kTabTypes[] = {QTextOption::LeftTab, QTextOption::CenterTab, QTextOption::RightTab,
                                              QTextOption::DelimiterTab};

constexpr QTextFrameFormat::BorderStyle kBorderStyles[] = {
    QTextFrameFormat::BorderStyle_Solid, QTextFrameFormat::BorderStyle_Double, QTextFrameFormat::BorderStyle_Dotted,
    QTextFrameFormat::BorderStyle_Dashed};

// The four sides of a cell's format, as Qt names their properties.
struct Side {
  std::optional<Border> CellBorders::*border;
  int width, style, brush;
};
constexpr Side kSides[] = {
    {&CellBorders::top, QTextFormat::TableCellTopBorder, QTextFormat::TableCellTopBorderStyle,
     QTextFormat::TableCellTopBorderBrush},
    {&CellBorders::left, QTextFormat::TableCellLeftBorder, QTextFormat::TableCellLeftBorderStyle,
     QTextFormat::TableCellLeftBorderBrush},
    {&CellBorders::bottom, QTextFormat::TableCellBottomBorder, QTextFormat::TableCellBottomBorderStyle,
     QTextFormat::TableCellBottomBorderBrush},
    {&CellBorders::right, QTextFormat::TableCellRightBorder, QTextFormat::TableCellRightBorderStyle,
     QTextFormat::TableCellRightBorderBrush},
};

}  // namespace

int BorderRoomTwips(const std::optional<Border>& border) {
  if (!border) return 0;
  return std::clamp(border->spaceTwips, 0, kMaxTwips) + std::clamp(border->widthTwips, 0, kMaxTwips);
}

QTextTableCellFormat CellFormat(const Cell& cell, int gapTwips) {
  QTextTableCellFormat f;
  for (const Side& side : kSides) {
    const std::optional<Border>& border = cell.borders.*side.border;
    if (!border) {
      f.setProperty(side.width, 0.0);
      f.setProperty(side.style, QTextFrameFormat::BorderStyle_None);
      continue;
    }
    // A hairline stays visible at any zoom.
    f.setProperty(side.width, std::max(0.5, border->widthTwips / kTwipsPerPixel));
    f.setProperty(side.style, kBorderStyles[static_cast<int>(border->style)]);
    f.setProperty(side.brush, QBrush(border->color ? ToQColor(*border->color) : QColor(Qt::black)));
  }
  if (cell.shading) f.setBackground(ToQColor(*cell.shading));
  static constexpr QTextCharFormat::VerticalAlignment kVertical[] = {
      QTextCharFormat::AlignTop, QTextCharFormat::AlignMiddle, QTextCharFormat::AlignBottom};
  f.setVerticalAlignment(kVertical[static_cast<int>(cell.verticalAlignment)]);
  const auto px = [](int twips) { return std::clamp(twips, 0, kMaxTwips) / kTwipsPerPixel; };
  const CellPadding padding = cell.padding.value_or(CellPadding{15, gapTwips, 15, gapTwips});
  f.setTopPadding(px(padding.top));
  f.setLeftPadding(px(padding.left));
  f.setBottomPadding(px(padding.bottom));
  f.setRightPadding(px(padding.right));
  return f;
}

void CellFromQt(const QTextTableCellFormat& f, Cell& cell) {
  for (const Side& side : kSides) {
    const auto style = static_cast<QTextFrameFormat::BorderStyle>(f.intProperty(side.style));
    const double width = f.doubleProperty(side.width);
    if (!f.hasProperty(side.style) || style == QTextFrameFormat::BorderStyle_None || width <= 0) continue;
    Border border;
    const auto* known = std::find(std::begin(kBorderStyles), std::end(kBorderStyles), style);
    if (known != std::end(kBorderStyles)) border.style = static_cast<BorderStyle>(known - std::begin(kBorderStyles));
    border.widthTwips = Twips(width);
    const QBrush brush = f.brushProperty(side.brush);
    if (brush.style() != Qt::NoBrush && brush.color() != QColor(Qt::black)) border.color = FromQColor(brush.color());
    cell.borders.*side.border = border;
  }
  if (f.hasProperty(QTextFormat::BackgroundBrush) && f.background().style() != Qt::NoBrush)
    cell.shading = FromQColor(f.background().color());
  switch (f.verticalAlignment()) {
    case QTextCharFormat::AlignMiddle: cell.verticalAlignment = CellAlignment::Center; break;
    case QTextCharFormat::AlignBottom: cell.verticalAlignment = CellAlignment::Bottom; break;
    default: break;
  }
}

QTextCharFormat ToQt(const CharFormat& f) {
  QTextCharFormat c;
  if (!f.font.empty()) c.setFontFamilies(QStringList{QString::fromStdString(f.font)});
  c.setFontPointSize(f.halfPoints / 2.0);
  c.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
  c.setFontItalic(f.italic);
  c.setFontUnderline(f.underline);
  c.setFontStrikeOut(f.strikeOut);
  if (f.color) c.setForeground(ToQColor(*f.color));
  if (f.background) c.setBackground(ToQColor(*f.background));
  switch (f.position) {
    case VerticalPosition::Superscript: c.setVerticalAlignment(QTextCharFormat::AlignSuperScript); break;
    case VerticalPosition::Subscript: c.setVerticalAlignment(QTextCharFormat::AlignSubScript); break;
    case VerticalPosition::Normal: break;
  }
  return c;
}

CharFormat FromQt(const QTextCharFormat& c, const QTextDocument& document) {
  CharFormat f;
  const QStringList families = c.property(QTextFormat::FontFamilies).toStringList();
  if (!families.isEmpty()) {
    f.font = families.first().toStdString();
  } else if (c.hasProperty(QTextFormat::FontFamily)) {
    f.font = c.property(QTextFormat::FontFamily).toString().toStdString();
  } else {
    f.font = document.defaultFont().family().toStdString();
  }
  double points = c.hasProperty(QTextFormat::FontPointSize) ? c.fontPointSize() : 0;
  if (points <= 0) points = document.defaultFont().pointSizeF();
  if (points <= 0) points = 12;
  f.halfPoints = std::clamp(static_cast<int>(std::lround(points * 2)), kMinHalfPoints, kMaxHalfPoints);
  f.bold = c.fontWeight() >= QFont::DemiBold;
  f.italic = c.fontItalic();
  f.underline = c.fontUnderline();
  f.strikeOut = c.fontStrikeOut();
  if (c.hasProperty(QTextFormat::ForegroundBrush) && c.foreground().style() != Qt::NoBrush)
    f.color = FromQColor(c.foreground().color());
  if (c.hasProperty(QTextFormat::BackgroundBrush) && c.background().style() != Qt::NoBrush)
    f.background = FromQColor(c.background().color());
  switch (c.verticalAlignment()) {
    case QTextCharFormat::AlignSuperScript: f.position = VerticalPosition::Superscript; break;
    case QTextCharFormat::AlignSubScript: f.position = VerticalPosition::Subscript; break;
    default: break;
  }
  return f;
}

QTextBlockFormat ToQt(const ParagraphFormat& f) {
  QTextBlockFormat b;
  static constexpr Qt::Alignment kAlign[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter, Qt::AlignJustify};
  b.setAlignment(kAlign[static_cast<int>(f.alignment)]);
  if (f.list == ListStyle::None) {
    b.setLeftMargin(f.leftIndent / kTwipsPerPixel);
    b.setTextIndent(f.firstLineIndent / kTwipsPerPixel);
  } else {
    b.setProperty(kListLeftIndentProperty, f.leftIndent);
    b.setProperty(kListFirstIndentProperty, f.firstLineIndent);
  }
  b.setRightMargin(f.rightIndent / kTwipsPerPixel);
  b.setTopMargin((f.spaceBefore + BorderRoomTwips(f.borders.top)) / kTwipsPerPixel);
  b.setBottomMargin((f.spaceAfter + BorderRoomTwips(f.borders.bottom)) / kTwipsPerPixel);
  if (!f.borders.Empty()) b.setProperty(kParagraphBordersProperty, QVariant::fromValue(f.borders));
  if (f.lineSpacingMultiple && f.lineSpacing != 0) {
    // In percent of a single line; a damaged file's hundred lines are ten.
    b.setLineHeight(std::min(std::abs(f.lineSpacing), 2400) * 100.0 / 240, QTextBlockFormat::ProportionalHeight);
  } else if (f.lineSpacing != 0) {
    b.setLineHeight(std::abs(f.lineSpacing) / kTwipsPerPixel,
                    f.lineSpacing > 0 ? QTextBlockFormat::MinimumHeight : QTextBlockFormat::FixedHeight);
  }
  if (f.pageBreakBefore) b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
  if (!f.tabs.empty()) {
    QList<QTextOption::Tab> tabs;
    for (const TabStop& tab : f.tabs) tabs.append(QTextOption::Tab(tab.positionTwips / kTwipsPerPixel, kTabTypes[static_cast<int>(tab.alignment)]));
    b.setTabPositions(tabs);
  }
  return b;
}

ParagraphFormat FromQt(const QTextBlockFormat& b) {
  ParagraphFormat f;
  const Qt::Alignment a = b.alignment();
  if (a & Qt::AlignHCenter) {
    f.alignment = Alignment::Center;
  } else if (a & Qt::AlignJustify) {
    f.alignment = Alignment::Justify;
  } else if (a & (Qt::AlignRight | Qt::AlignTrailing)) {
    f.alignment = Alignment::Right;
  }
  if (b.hasProperty(kListLeftIndentProperty)) {
    f.leftIndent = b.intProperty(kListLeftIndentProperty);
    f.firstLineIndent = b.intProperty(kListFirstIndentProperty);
  } else {
    f.leftIndent = Twips(b.leftMargin());
    f.firstLineIndent = Twips(b.textIndent());
  }
  f.rightIndent = Twips(b.rightMargin());
  if (b.hasProperty(kParagraphBordersProperty)) f.borders = b.property(kParagraphBordersProperty).value<Borders>();
  f.spaceBefore = std::max(0, Twips(b.topMargin()) - BorderRoomTwips(f.borders.top));
  f.spaceAfter = std::max(0, Twips(b.bottomMargin()) - BorderRoomTwips(f.borders.bottom));
  switch (b.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
      f.lineSpacing = static_cast<int>(std::lround(b.lineHeight() * 240 / 100));
      f.lineSpacingMultiple = f.lineSpacing != 0;
      break;
    case QTextBlockFormat::MinimumHeight: f.lineSpacing = Twips(b.lineHeight()); break;
    case QTextBlockFormat::FixedHeight: f.lineSpacing = -Twips(b.lineHeight()); break;
    default: break;
  }
  f.pageBreakBefore = (b.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) != 0;
  for (const QTextOption::Tab& tab : b.tabPositions()) {
    const auto* type = std::find(std::begin(kTabTypes), std::end(kTabTypes), tab.type);
    const auto alignment = type == std::end(kTabTypes) ? TabAlignment::Left : static_cast<TabAlignment>(type - std::begin(kTabTypes));
    f.tabs.push_back(TabStop{Twips(tab.position), alignment});
  }
  return f;
}

QTextListFormat::Style ListStyleToQt(ListStyle style) {
  switch (style) {
    case ListStyle::Decimal: return QTextListFormat::ListDecimal;
    case ListStyle::LowerAlpha: return QTextListFormat::ListLowerAlpha;
    case ListStyle::UpperAlpha: return QTextListFormat::ListUpperAlpha;
    case ListStyle::LowerRoman: return QTextListFormat::ListLowerRoman;
    case ListStyle::UpperRoman: return QTextListFormat::ListUpperRoman;
    default: return QTextListFormat::ListDisc;
  }
}

ListStyle ListStyleFromQt(QTextListFormat::Style style) {
  switch (style) {
    case QTextListFormat::ListDecimal: return ListStyle::Decimal;
    case QTextListFormat::ListLowerAlpha: return ListStyle::LowerAlpha;
    case QTextListFormat::ListUpperAlpha: return ListStyle::UpperAlpha;
    case QTextListFormat::ListLowerRoman: return ListStyle::LowerRoman;
    case QTextListFormat::ListUpperRoman: return ListStyle::UpperRoman;
    default: return ListStyle::Bullet;
  }
}

}  // namespace orvela::rtf::qt
