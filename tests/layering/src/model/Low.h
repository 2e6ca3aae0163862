#pragma once
// Wrong: the core reaching up into the platform layer.
#include "platform/High.h"
