#pragma once
// The rich-text editor reDescription of the "Beschreibung" tab. It lays its text out with
// 6 pixels free on the left and the right, over the full height, and sets that rectangle
// again whenever it paints, so that nothing that resizes or refills it can lose it.
#include <QTextEdit>

namespace orvela {

class DescriptionEditor : public QTextEdit {
  Q_OBJECT
 public:
  static constexpr int kSideMargin = 6;

  explicit DescriptionEditor(QWidget* parent = nullptr);

  void SetDescriptionMargins();

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace orvela
