#include "app/Frame.h"
#include "workfile/Window.h"
#include "model/Base.h"
