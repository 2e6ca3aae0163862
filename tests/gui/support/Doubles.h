#pragma once
// Small doubles and lookups shared by the dialog tests.
#include <QObject>
#include <QPrinter>
#include <QtGlobal>
#include <memory>

#include "platform/WorkFileContext.h"

namespace orvela::test {

// A work-file window reduced to its data and its editor; counts the commands run.
class ContextDouble : public WorkFileContext, private EditObserver {
 public:
  explicit ContextDouble(platform::Services& services) : services_(services) { editor_.addObserver(this); }
  WorkFileData& data() override { return data_; }
  WorkFileEditor& editor() override { return editor_; }
  QWidget* window() override { return parentWindow; }
  platform::Services& services() override { return services_; }
  StampSource stamps() override {
    return {[] { return std::string("PC1/pruefer"); }, [] { return LocalDateTime{2024, 12, 9, 14, 3, 5}; }};
  }
  QPrinter& printer() override {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
  }

  WorkFileData data_;
  QWidget* parentWindow = nullptr;
  int marks = 0;

 private:
  void commandFinished(const EditCommand&, EditDirection direction) override {
    if (direction == EditDirection::Do) ++marks;
  }
  platform::Services& services_;
  WorkFileEditor editor_{data_};
  std::unique_ptr<QPrinter> printer_;
};

// A child of any depth by objectName and type; ends the test program when it is missing,
// since every later step would only fail on a null pointer.
template <class T>
T* Control(const QObject* root, const char* name) {
  T* w = root ? root->findChild<T*>(QString::fromLatin1(name)) : nullptr;
  if (!w) qFatal("control %s missing", name);
  return w;
}

}  // namespace orvela::test
