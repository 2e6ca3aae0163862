#pragma once
// The start of every test that drives the frame: a fresh test environment (temporary
// configuration, service doubles) and a shown frame with fixed stamps; torn down in the
// opposite order.
#include <memory>

#include "app/srcMain.h"
#include "support/TestServices.h"
#include "support/WorkFiles.h"

namespace orvela::test {

struct FrameFixture {
  std::unique_ptr<TestEnvironment> env;
  std::unique_ptr<TfrmMain> frame;

  void start() {
    env = std::make_unique<TestEnvironment>();
    frame = std::make_unique<TfrmMain>(env->services);
    frame->setStampSource(SteppingStamps());
    frame->show();
  }
  void stop() {
    frame.reset();
    env.reset();
  }
};

}  // namespace orvela::test
