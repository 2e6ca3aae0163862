#pragma once
// The deadline field of the finding dialog (cmbDate): a date typed as dd.mm.yyyy (or
// d.m.yyyy) or picked from a drop-down calendar. The empty field is the empty date
// 01.01.1900 ("no deadline") and shows "<nicht definiert>".
#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QLineEdit;
class QToolButton;

namespace orvela {

class DeadlineEdit : public QWidget {
  Q_OBJECT
 public:
  static const QDate kEmptyDate;

  explicit DeadlineEdit(QWidget* parent = nullptr);

  // The empty date (or an invalid one) empties the field.
  void setDate(const QDate& date);
  // The date typed or picked; kEmptyDate for an empty field, an invalid date for a text
  // that is no date.
  QDate date() const;
  QString text() const;

  QLineEdit* lineEdit() const { return edit_; }
  QCalendarWidget* calendarWidget() const { return calendar_; }
  // Drops the calendar down at the field's date, or at the current month when it has none.
  void showCalendar();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void pick(const QDate& date);

  QLineEdit* edit_;
  QToolButton* button_;
  QWidget* popup_;
  QCalendarWidget* calendar_;
};

}  // namespace orvela
