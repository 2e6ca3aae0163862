#include "workfile/DeadlineEdit.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "model/FindingRules.h"

namespace orvela {

const QDate DeadlineEdit::kEmptyDate(1900, 1, 1);

DeadlineEdit::DeadlineEdit(QWidget* parent)
    : QWidget(parent),
      edit_(new QLineEdit(this)),
      button_(new QToolButton(this)),
      popup_(new QWidget(this, Qt::Popup)),
      calendar_(new QCalendarWidget(popup_)) {
  edit_->setObjectName(QStringLiteral("editDate"));
  edit_->setPlaceholderText(QStringLiteral("<nicht definiert>"));
  edit_->setToolTip(QStringLiteral("Datum als TT.MM.JJJJ; leer: kein Termin"));
  edit_->installEventFilter(this);
  setFocusProxy(edit_);

  button_->setObjectName(QStringLiteral("sbDate"));
  button_->setIcon(QIcon::fromTheme(QStringLiteral("x-office-calendar"), style()->standardIcon(QStyle::SP_ArrowDown)));
  button_->setAccessibleName(QStringLiteral("Kalender"));
  button_->setFocusPolicy(Qt::NoFocus);
  button_->setToolTip(QStringLiteral("Kalender (Alt+Pfeil nach unten)"));
  connect(button_, &QToolButton::clicked, this, &DeadlineEdit::showCalendar);

  calendar_->setObjectName(QStringLiteral("calDate"));
  calendar_->setGridVisible(true);
  auto* popupLayout = new QVBoxLayout(popup_);
  popupLayout->setContentsMargins(0, 0, 0, 0);
  popupLayout->addWidget(calendar_);
  connect(calendar_, &QCalendarWidget::clicked, this, &DeadlineEdit::pick);
  connect(calendar_, &QCalendarWidget::activated, this, &DeadlineEdit::pick);

  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  row->addWidget(edit_, 1);
  row->addWidget(button_);
}

void DeadlineEdit::setDate(const QDate& date) {
  const bool none = !date.isValid() || date == kEmptyDate;
  edit_->setText(none ? QString() : date.toString(QStringLiteral("dd.MM.yyyy")));
}

QDate DeadlineEdit::date() const {
  const QString typed = text();
  if (typed.isEmpty()) return kEmptyDate;
  const std::optional<CalendarDate> d = ParseShortDate(typed.toStdString());
  return d ? QDate(d->year, d->month, d->day) : QDate();
}

QString DeadlineEdit::text() const { return edit_->text().trimmed(); }

void DeadlineEdit::showCalendar() {
  const QDate current = date();
  const QDate shown = current.isValid() && current != kEmptyDate ? current : QDate::currentDate();
  calendar_->setSelectedDate(shown);
  calendar_->setCurrentPage(shown.year(), shown.month());
  popup_->adjustSize();
  // Below the field, or above it where the screen ends.
  QPoint at = mapToGlobal(QPoint(0, height()));
  if (const QScreen* screen = this->screen()) {
    const QRect room = screen->availableGeometry();
    if (at.y() + popup_->height() > room.bottom()) at.setY(mapToGlobal(QPoint(0, 0)).y() - popup_->height());
    at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - popup_->width())));
  }
  popup_->move(at);
  popup_->show();
  calendar_->setFocus(Qt::PopupFocusReason);
}

void DeadlineEdit::pick(const QDate& date) {
  popup_->hide();
  setDate(date);
  edit_->setFocus(Qt::PopupFocusReason);
  edit_->selectAll();
}

bool DeadlineEdit::eventFilter(QObject* watched, QEvent* event) {
  // Alt+Down and F4 drop the calendar down, as in the program's other drop-down fields.
  if (watched == edit_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier) ||
        (key->key() == Qt::Key_F4 && key->modifiers() == Qt::NoModifier)) {
      showCalendar();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace orvela
