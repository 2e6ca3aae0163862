#pragma once
#include "model/Base.h"
