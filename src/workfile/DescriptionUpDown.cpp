#include "workfile/DescriptionUpDown.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace orvela {

DescriptionUpDown::DescriptionUpDown(QLineEdit& buddy, int minimum, int maximum, QWidget* parent)
    : QWidget(parent),
      buddy_(buddy),
      minimum_(minimum),
      maximum_(maximum),
      position_(minimum),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  struct Arrow {
    QToolButton* button;
    Qt::ArrowType type;
    int delta;
  };
  for (const Arrow& arrow : {Arrow{up_, Qt::UpArrow, 1}, Arrow{down_, Qt::DownArrow, -1}}) {
    arrow.button->setArrowType(arrow.type);
    arrow.button->setAutoRepeat(true);
    arrow.button->setFocusPolicy(Qt::NoFocus);
    arrow.button->setFixedSize(16, 11);
    layout->addWidget(arrow.button);
    connect(arrow.button, &QToolButton::clicked, this, [this, delta = arrow.delta] { step(delta); });
  }
  buddy_.installEventFilter(this);
}

void DescriptionUpDown::step(int delta) {
  bool ok = false;
  const int typed = buddy_.text().trimmed().toInt(&ok);
  if (ok) position_ = std::clamp(typed, minimum_, maximum_);
  position_ = std::clamp(position_ + delta, minimum_, maximum_);
  buddy_.setText(QString::number(position_));
}

bool DescriptionUpDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &buddy_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      step(key == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace orvela
