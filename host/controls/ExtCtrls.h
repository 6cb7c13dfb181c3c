#pragma once
// The extra controls and components, as one include.
#include "host/controls/AppEvents.h"
#include "host/controls/Images.h"
#include "host/controls/Panels.h"
#include "host/controls/ScrollBoxes.h"
#include "host/controls/Timer.h"
