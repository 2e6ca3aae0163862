#include "support/DrawnChecks.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <functional>

namespace orvela::test {
namespace {

QString WindowName(const QWidget* window) {
  return window->objectName().isEmpty() ? QString::fromLatin1(window->metaObject()->className())
                                        : window->objectName();
}

// The objectName, or for an unnamed widget its kind, its text and its nearest named parent.
QString WidgetName(const QWidget* w) {
  if (!w->objectName().isEmpty()) return w->objectName();
  QString name = QString::fromLatin1(w->metaObject()->className());
  QString text;
  if (auto* label = qobject_cast<const QLabel*>(w)) text = label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(w)) text = button->text();
  if (!text.isEmpty()) name += QStringLiteral(" \"%1\"").arg(text.left(40));
  for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
    if (!p->objectName().isEmpty()) return name + QStringLiteral(" in ") + p->objectName();
  return name;
}

QString Fault(const QWidget* window, const QWidget* w, const QString& what) {
  return QStringLiteral("%1: %2: %3").arg(WindowName(window), WidgetName(w), what);
}

// The visible widgets of a window of one kind, the window itself included.
template <class T>
QList<T*> Visible(QWidget* window) {
  QList<T*> found;
  if (auto* self = qobject_cast<T*>(window)) found.append(self);
  for (T* w : window->findChildren<T*>())
    if (w->isVisible() && w->window() == window) found.append(w);
  return found;
}

bool AllOneColour(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb first = argb.pixel(0, 0);
  for (int y = 0; y < argb.height(); ++y)
    for (int x = 0; x < argb.width(); ++x)
      if (argb.pixel(x, y) != first) return false;
  return true;
}

// Whether a parent's edge cuts the widget: its rectangle must lie inside every parent up
// to the window, except inside a scroll area, whose content is meant to scroll.
const QWidget* CuttingParent(const QWidget* w) {
  QRect r = w->rect();
  const QWidget* child = w;
  for (const QWidget* p = w->parentWidget(); p; child = p, p = p->parentWidget()) {
    if (auto* area = qobject_cast<const QAbstractScrollArea*>(p->parentWidget()); area && area->viewport() == p)
      return nullptr;
    r.translate(child->pos());
    if (!p->rect().contains(r)) return p;
    if (p->isWindow()) return nullptr;
  }
  return nullptr;
}

QString StripMnemonic(QString text) {
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
  return text;
}

QString SizeText(QSize s) { return QStringLiteral("%1×%2").arg(s.width()).arg(s.height()); }

void CheckLabel(QWidget* window, QLabel* label, QStringList& faults) {
  if (label->text().isEmpty()) return;
  if (label->wordWrap()) {
    const int needed = label->heightForWidth(label->width());
    if (needed > label->height())
      faults << Fault(window, label, QStringLiteral("text cut off: needs %1 pixels of height at width %2, has %3")
                                         .arg(needed).arg(label->width()).arg(label->height()));
    return;
  }
  const QSize needed = label->sizeHint();
  if (needed.width() > label->width() || needed.height() > label->height())
    faults << Fault(window, label,
                    QStringLiteral("text cut off: needs %1, has %2").arg(SizeText(needed), SizeText(label->size())));
}

void CheckButtonText(QWidget* window, QAbstractButton* button, QStringList& faults) {
  if (button->text().isEmpty()) return;
  int needed = 0;
  if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button)) {
    needed = button->sizeHint().width();
  } else {
    auto* tool = qobject_cast<QToolButton*>(button);
    if (tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !tool->icon().isNull()) return;
    const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    needed = button->fontMetrics().horizontalAdvance(StripMnemonic(button->text())) + 2 * frame + 2;
  }
  if (needed > button->width())
    faults << Fault(window, button,
                    QStringLiteral("caption \"%1\" cut off: needs %2 pixels, has %3")
                        .arg(StripMnemonic(button->text())).arg(needed).arg(button->width()));
}

void CheckTabBar(QWidget* window, QTabBar* bar, QStringList& faults) {
  QList<QRect> scrollButtons;
  for (QToolButton* b : bar->findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly))
    if (b->isVisible()) scrollButtons.append(b->geometry());
  const int space = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
  for (int i = 0; i < bar->count(); ++i) {
    if (!bar->isTabVisible(i)) continue;
    const QString caption = StripMnemonic(bar->tabText(i));
    const QRect tab = bar->tabRect(i);
    const int needed = bar->fontMetrics().size(Qt::TextShowMnemonic, bar->tabText(i)).width() + space;
    QString what;
    if (tab.width() < needed)
      what = QStringLiteral("needs %1 pixels, has %2").arg(needed).arg(tab.width());
    else if (!bar->rect().contains(tab))
      what = QStringLiteral("lies outside the tab bar");
    for (const QRect& b : scrollButtons)
      if (what.isEmpty() && b.intersects(tab)) what = QStringLiteral("hidden behind the scroll buttons");
    // Named after its tab widget, whose tab bar is Qt's own.
    const QWidget* owner = qobject_cast<QTabWidget*>(bar->parentWidget()) ? bar->parentWidget() : bar;
    if (!what.isEmpty()) faults << Fault(window, owner, QStringLiteral("tab \"%1\" cut off: %2").arg(caption, what));
  }
}

void CheckHeaderCaptions(QWidget* window, QHeaderView* header, QStringList& faults) {
  if (header->orientation() != Qt::Horizontal || !header->model()) return;
  const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
  const QWidget* view = header->parentWidget();
  for (int section = 0; section < header->count(); ++section) {
    if (header->isSectionHidden(section)) continue;
    const QString caption = header->model()->headerData(section, Qt::Horizontal).toString();
    if (caption.isEmpty()) continue;
    const int needed = header->fontMetrics().horizontalAdvance(caption) + 2 * margin;
    if (header->sectionSize(section) < needed)
      faults << Fault(window, view ? view : header,
                      QStringLiteral("header caption \"%1\" cut off: needs %2 pixels, has %3")
                          .arg(caption).arg(needed).arg(header->sectionSize(section)));
  }
}

// The cells in sight: a value the column cannot show whole is drawn elided.
void CheckCells(QWidget* window, QAbstractItemView* view, QStringList& faults) {
  QAbstractItemModel* model = view->model();
  if (!model || !view->itemDelegate()) return;
  const QRect sight = view->viewport()->rect();
  const int rows = std::min(model->rowCount(), 50);
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < model->columnCount(); ++column) {
      const QModelIndex index = model->index(row, column);
      const QRect cell = view->visualRect(index);
      if (!cell.isValid() || !sight.intersects(cell)) continue;
      const QString text = index.data().toString();
      if (text.isEmpty() || text.contains(QLatin1Char('\n'))) continue;
      QStyleOptionViewItem option;
      option.initFrom(view);
      option.rect = cell;
      option.features |= QStyleOptionViewItem::HasDisplay;
      const int needed = view->itemDelegate()->sizeHint(option, index).width();
      if (needed > cell.width())
        faults << Fault(window, view, QStringLiteral("value \"%1\" in row %2, column %3 cut off: needs %4 pixels, has %5")
                                          .arg(text.left(40)).arg(row + 1).arg(column).arg(needed).arg(cell.width()));
    }
  }
}

QString HiddenTabReached(QTabWidget* tabs) {
  const int index = tabs->currentIndex();
  if (index < 0 || tabs->isTabVisible(index)) return QString();
  const QString page = tabs->widget(index)->objectName();
  return QStringLiteral("hidden tab \"%1\"%2").arg(tabs->tabText(index), page.isEmpty() ? QString() : " (" + page + ")");
}

void SendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers);
  QApplication::sendEvent(target, &release);
}

void SendWheel(QWidget* target, int delta) {
  const QPointF at = QRectF(target->rect()).center();
  QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &wheel);
}

}  // namespace

QStringList CheckIcons(QWidget* window) {
  QStringList faults;
  for (QAbstractButton* button : Visible<QAbstractButton>(window)) {
    auto* tool = qobject_cast<QToolButton*>(button);
    if (tool && tool->arrowType() != Qt::NoArrow) continue;  // drawn by the style
    const bool textShown =
        !button->text().isEmpty() && !(tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !tool->icon().isNull());
    if (textShown) continue;
    const QIcon::Mode mode = button->isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QPixmap picture = button->icon().pixmap(button->iconSize(), button->devicePixelRatioF(), mode);
    if (picture.isNull())
      faults << Fault(window, button, QStringLiteral("button without text shows no icon"));
    else if (AllOneColour(picture.toImage()))
      faults << Fault(window, button, QStringLiteral("icon is blank (all pixels one colour)"));
  }
  return faults;
}

QStringList CheckTextsFit(QWidget* window) {
  QStringList faults;
  for (QLabel* label : Visible<QLabel>(window)) CheckLabel(window, label, faults);
  for (QAbstractButton* button : Visible<QAbstractButton>(window)) CheckButtonText(window, button, faults);
  for (QTabBar* bar : Visible<QTabBar>(window)) CheckTabBar(window, bar, faults);
  for (QHeaderView* header : Visible<QHeaderView>(window)) CheckHeaderCaptions(window, header, faults);
  QList<QWidget*> texts;
  for (QLabel* w : Visible<QLabel>(window))
    if (!w->text().isEmpty()) texts.append(w);
  for (QAbstractButton* w : Visible<QAbstractButton>(window)) texts.append(w);
  for (QTabBar* w : Visible<QTabBar>(window)) texts.append(w);
  for (QWidget* w : texts)
    if (const QWidget* parent = CuttingParent(w))
      faults << Fault(window, w, QStringLiteral("cut off by the edge of %1").arg(WidgetName(parent)));
  return faults;
}

QStringList CheckValuesFit(QWidget* window, const QStringList& views) {
  QStringList faults;
  for (const QString& name : views) {
    auto* view = window->findChild<QAbstractItemView*>(name);
    if (!view)
      faults << QStringLiteral("%1: %2: no such view").arg(WindowName(window), name);
    else if (view->isVisible())
      CheckCells(window, view, faults);
  }
  return faults;
}

QStringList CheckHeaders(QWidget* window) {
  QStringList faults;
  for (QHeaderView* header : Visible<QHeaderView>(window)) {
    const int extent = header->orientation() == Qt::Horizontal ? header->height() : header->width();
    if (header->count() > 0 && extent <= 0)
      faults << Fault(window, header->parentWidget() ? header->parentWidget() : header,
                      QStringLiteral("header has no room (%1 pixels)").arg(extent));
  }
  return faults;
}

QStringList CheckHiddenTabsUnreachable(QWidget* window) {
  QStringList faults;
  for (QTabWidget* tabs : Visible<QTabWidget>(window)) {
    bool anyHidden = false;
    for (int i = 0; i < tabs->count(); ++i) anyHidden = anyHidden || !tabs->isTabVisible(i);
    if (!anyHidden) continue;
    const int original = tabs->currentIndex();
    QTabBar* bar = tabs->tabBar();
    struct Path {
      const char* name;
      std::function<void()> go;
    };
    const Path paths[] = {
        {"Ctrl+Tab", [&] { SendKey(tabs->currentWidget(), Qt::Key_Tab, Qt::ControlModifier); }},
        {"Ctrl+Shift+Tab",
         [&] { SendKey(tabs->currentWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier); }},
        {"the right arrow key on the tab bar", [&] { SendKey(bar, Qt::Key_Right, Qt::NoModifier); }},
        {"the left arrow key on the tab bar", [&] { SendKey(bar, Qt::Key_Left, Qt::NoModifier); }},
        {"the End key on the tab bar", [&] { SendKey(bar, Qt::Key_End, Qt::NoModifier); }},
        {"the Home key on the tab bar", [&] { SendKey(bar, Qt::Key_Home, Qt::NoModifier); }},
        {"the mouse wheel down over the tab bar", [&] { SendWheel(bar, -120); }},
        {"the mouse wheel up over the tab bar", [&] { SendWheel(bar, 120); }},
    };
    for (int start = 0; start < tabs->count(); ++start) {
      if (!tabs->isTabVisible(start)) continue;
      for (const Path& path : paths) {
        tabs->setCurrentIndex(start);
        // Far enough to pass every tab in either direction.
        for (int step = 0; step < tabs->count(); ++step) {
          path.go();
          const QString reached = HiddenTabReached(tabs);
          if (reached.isEmpty()) continue;
          faults << Fault(window, tabs, QStringLiteral("%1 reached by %2").arg(reached, QLatin1String(path.name)));
          break;
        }
      }
    }
    tabs->setCurrentIndex(original);
  }
  faults.removeDuplicates();
  return faults;
}

QStringList CheckDrawn(QWidget* window) {
  return CheckIcons(window) + CheckTextsFit(window) + CheckHeaders(window) + CheckHiddenTabsUnreachable(window);
}

QString SaveScreen(QWidget* window, const QString& name) {
  const QString folder = QStringLiteral(ORVELA_SCREENS_DIR);
  if (!QDir().mkpath(folder)) return QString();
  const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
  return window->grab().save(path) ? path : QString();
}

}  // namespace orvela::test
