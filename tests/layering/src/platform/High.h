#pragma once
#include "model/Base.h"
#include "model/Low.h"
