#include "platform/LockIdentity.h"

#include <signal.h>
#include <unistd.h>

#include <QDateTime>
#include <cerrno>

#include "platform/Stamps.h"

namespace orvela::platform {

LockEnvironment SystemLockEnvironment(const std::string& userStamp) {
  LockEnvironment env;
  env.me.userStamp = userStamp;
  env.me.login = LoginName().toStdString();
  env.me.host = ShortHostName().toStdString();
  env.me.time = QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy HH:mm")).toStdString();
  env.me.pid = long(::getpid());
  env.now = [] { return std::int64_t(QDateTime::currentSecsSinceEpoch()); };
  // A process that exists but belongs to someone else (EPERM) still runs.
  env.alive = [](long pid) { return ::kill(pid_t(pid), 0) == 0 || errno == EPERM; };
  return env;
}

}  // namespace orvela::platform
