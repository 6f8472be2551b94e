// The result hand-off: what a finished task tells the results screen.
#pragma once

#include "state/app_state.h"

struct App;

// Shows a freshly loaded results screen modeless on top; its load reads the hand-off.
void openResultsScreen(App& app);
