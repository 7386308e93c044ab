// The page fonts that live outside the font path here.
#pragma once

// Registers Tahoma, Tahoma Bold and MS Sans Serif from the system's wine fonts or the program's
// folder, when present, so that pages are drawn in the faces they were designed with. Returns how
// many were registered.
int RegisterStockFonts();
