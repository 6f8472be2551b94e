#include "open_activity.h"

// Placeholder until the activity screens exist.
void openActivity(App&, const QString&, const QString&) {}
