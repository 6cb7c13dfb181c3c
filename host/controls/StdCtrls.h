#pragma once
// The standard controls, as one include.
#include "host/controls/Buttons.h"
#include "host/controls/ComboBoxes.h"
#include "host/controls/Labels.h"
#include "host/controls/ListBoxes.h"
