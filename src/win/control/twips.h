// The units a container lays child controls out in: twips (1/1440 inch) for the extender
// properties, HIMETRIC (1/100 mm) for an OLE object's extent, and the screen's pixels for
// windows, converted with the screen's pixels per inch as the platform does.
#pragma once

#include <windows.h>

namespace nimbo::win::control {

struct PixelsPerInch {
  int x = 96;
  int y = 96;
};

// The screen's (LOGPIXELSX and LOGPIXELSY).
PixelsPerInch ScreenPixelsPerInch();

// Rounded to the nearest pixel.
int TwipsToPixels(double twips, int pixelsPerInch);
double PixelsToTwips(int pixels, int pixelsPerInch);
int HimetricToPixels(long himetric, int pixelsPerInch);
long PixelsToHimetric(int pixels, int pixelsPerInch);

}  // namespace nimbo::win::control
