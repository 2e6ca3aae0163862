#pragma once
// The editable preview of a report: a text edit that also shows the borders of
// paragraphs, which Qt's text layout leaves out (the pages draw them the same way).
#include <QTextEdit>

namespace orvela {

class ReportPreview : public QTextEdit {
 public:
  explicit ReportPreview(QWidget* parent = nullptr) : QTextEdit(parent) {}

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace orvela
