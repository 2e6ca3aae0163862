#pragma once
#include "workfile/Window.h"
