#pragma once
#include "platform/High.h"
#include "reports/engine/Engine.h"
