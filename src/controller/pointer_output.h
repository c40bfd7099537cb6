#pragma once
// What the pen drives: the pointer, and the mouse values widened while tracking.
#include "controller/mouse_values.h"
#include "controller/pointer_input.h"

struct PointerOutput {
    PointerInput input;
    MouseParameterSaver mouseSaver;
};
