// The body of the 25 ms tick.
#pragma once

void RunTick();
