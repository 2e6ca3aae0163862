#include "platform/RecordGridDelegate.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QToolTip>

#include "platform/Cp1252Text.h"

namespace orvela::platform {

RecordGridDelegate::RecordGridDelegate(QObject* parent, int positionColumn)
    : QStyledItemDelegate(parent), positionColumn_(positionColumn) {}

void RecordGridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  if (index.column() == positionColumn_) {
    option->backgroundBrush = option->palette.brush(QPalette::Button);
    option->palette.setBrush(QPalette::Text, option->palette.brush(QPalette::ButtonText));
  } else if (index.row() % 2 == 1) {
    option->backgroundBrush = option->palette.brush(QPalette::ToolTipBase);
    option->palette.setBrush(QPalette::Text, option->palette.brush(QPalette::ToolTipText));
  }
}

void RecordGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyledItemDelegate::paint(painter, option, index);
  if (!gridLines_) return;
  painter->save();
  painter->setPen(option.palette.color(QPalette::Mid));
  const QRect r = option.rect;
  painter->drawLine(r.topRight(), r.bottomRight());
  painter->drawLine(r.bottomLeft(), r.bottomRight());
  painter->restore();
}

QWidget* RecordGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const {
  QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
  if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setValidator(new Cp1252Validator(line));
  return editor;
}

bool RecordGridDelegate::eventFilter(QObject* object, QEvent* event) {
  auto* line = qobject_cast<QLineEdit*>(object);
  if (line && !line->hasAcceptableInput()) {
    if (event->type() == QEvent::KeyPress) {
      switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
          acceptsEditorText(line);
          return true;  // the editor stays open with the text as typed
        default:
          break;
      }
    } else if (event->type() == QEvent::FocusOut) {
      // Leaving the cell closes the editor without committing (the base class decides so
      // by the same test); say that the edit is gone.
      const QWidget* focus = QApplication::focusWidget();
      const bool leaves = !line->isActiveWindow() || (focus != line && !line->isAncestorOf(focus));
      if (leaves)
        refuse(line, Cp1252RefusalText(line->text()) + QStringLiteral(" Die Änderung wurde nicht übernommen."));
    }
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

bool RecordGridDelegate::acceptsEditorText(QWidget* editor) const {
  auto* line = qobject_cast<QLineEdit*>(editor);
  if (!line || line->hasAcceptableInput()) return true;
  refuse(line, Cp1252RefusalText(line->text()) + QStringLiteral(" Bitte entfernen Sie es."));
  return false;
}

void RecordGridDelegate::refuse(QWidget* editor, const QString& message) const {
  QToolTip::showText(editor->mapToGlobal(QPoint(0, editor->height())), message, editor);
  emit inputRefused(message);
}

}  // namespace orvela::platform
