#pragma once
// Small doubles and lookups shared by the dialog tests.
#include <QObject>
#include <QtGlobal>

#include "platform/WorkFileContext.h"

namespace orvela::test {

// A work-file window reduced to its data; counts the calls of markModified().
class ContextDouble final : public WorkFileContext {
 public:
  explicit ContextDouble(platform::Services& services) : services_(services) {}
  WorkFileData& data() override { return data_; }
  void markModified() override {
    data_.modified = true;
    ++marks;
  }
  QWidget* window() override { return nullptr; }
  platform::Services& services() override { return services_; }

  WorkFileData data_;
  int marks = 0;

 private:
  platform::Services& services_;
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
