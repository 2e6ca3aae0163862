#pragma once
// What a core test needs from outside the source tree. A missing piece skips the test on
// a developer's machine but fails it in CI (environment variable CI set), naming what is
// missing, so that CI never counts a test that did not run as passed.
//
// The one exception is the superuser, for whom file permissions do not hold: these tests
// skip when run as root, and only these (grep ORVELA_SKIP_AS_ROOT):
//   WholeFile.NoPermission, SafeFileWriter's read-only target, CliFiles.CheckOfUnreadableFileExitsTwo.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#define ORVELA_REQUIRE(available, what)                                                       \
  do {                                                                                        \
    if (!(available)) {                                                                       \
      if (std::getenv("CI") != nullptr) FAIL() << (what) << " is missing (scripts/setup-deps)"; \
      GTEST_SKIP() << (what) << " is missing";                                                \
    }                                                                                         \
  } while (false)

#define ORVELA_SKIP_AS_ROOT(reason) \
  if (::geteuid() == 0) GTEST_SKIP() << (reason)
