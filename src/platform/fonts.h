#pragma once

// Makes the Windows font names of the layouts available: Tahoma from Wine's font folder
// (fontconfig does not search it); Times New Roman and Arial come through fontconfig as the
// metric-compatible Liberation fonts.
void registerFonts();
