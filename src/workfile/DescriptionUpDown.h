#pragma once
// A pair of up/down arrows attached to a one-line edit: each arrow (and the Up and Down
// keys in the edit) steps the whole number in the edit by one within a range. The number
// is read from the edit at every step, so typed text counts; text that is no number steps
// from the last value the arrows set.
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace orvela {

class DescriptionUpDown : public QWidget {
  Q_OBJECT
 public:
  DescriptionUpDown(QLineEdit& buddy, int minimum, int maximum, QWidget* parent = nullptr);

  int position() const { return position_; }
  // Steps by `delta` and writes the result into the edit.
  void step(int delta);

  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit& buddy_;
  int minimum_;
  int maximum_;
  int position_;
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace orvela
