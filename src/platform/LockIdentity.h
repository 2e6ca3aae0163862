#pragma once
// Who this program run is in the locks it writes beside work files, and how it tells
// whether another process of this host still runs.
#include <string>

#include "storage/LockFile.h"

namespace orvela::platform {

// `userStamp`: the user stamp in UTF-8 (the one saves write). Host, login and process id
// come from the system, the time of the lock is read when the environment is made.
LockEnvironment SystemLockEnvironment(const std::string& userStamp);

}  // namespace orvela::platform
