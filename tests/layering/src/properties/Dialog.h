#pragma once
#include "model/Base.h"
#include "platform/High.h"
// Wrong: one window folder reaching across into another.
#include "reports/Page.h"
