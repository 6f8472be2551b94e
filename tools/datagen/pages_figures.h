// Pictures drawn in code for the program's own pages (the guide and the introduction); topic
// pages take their pictures from SVG files in their folders.
#pragma once

#include "pages/pages_layout.h"

namespace pages {

// A skeleton seen from the front.
Drawing skeletonFigure();
// A child and a skeleton side by side: outside and inside.
Drawing outsideInsideFigure();

} // namespace pages
