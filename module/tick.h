// The body of the 25 ms tick.
#pragma once

#include "module/motion.h"

// The eye point and the rest of the motion state; the eye point dialog
// copies the eye point from here.
extern MotionState gMotion;

void RunTick();

// The aircraft whose configuration was loaded last: the section the eye
// point dialog edits and the title every reload uses. "" until the
// simulator has reported one.
const char* CurrentAircraftTitle();
