// The result hand-off: what a finished task tells the results screen.
#pragma once

#include "state/app_state.h"

struct App;
class ResultsScreen;

// Shows a freshly loaded results screen for this result, modeless on top, and keeps the result
// as the last one scored.
ResultsScreen& openResultsScreen(App& app, const ResultHandOff& result);
