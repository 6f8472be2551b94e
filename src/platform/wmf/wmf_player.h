// Plays a decoded metafile onto a QPainter.
#pragma once

#include "wmf_program.h"

class QPainter;

namespace wmf {

// Maps the program's frame onto target (in the painter's current coordinates) and draws
// every operation. Nothing is drawn outside target. The painter's state is left as found.
void play(const Program& program, QPainter& painter, const QRectF& target);

} // namespace wmf
