// The three window classes of the program.
#pragma once

#include <windows.h>

// Registers "Zelvar2", "FRACTALCLASS" and "ORBITSCLASS", in this order, and
// stops at the first that cannot be registered. True when all three are.
bool registerWindowClasses(HINSTANCE instance);
