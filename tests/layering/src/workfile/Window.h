#pragma once
#include "properties/Dialog.h"
#include "reports/Page.h"
#include "reports/engine/Engine.h"
// Wrong: the window reaching up into the frame.
#include "app/Frame.h"
