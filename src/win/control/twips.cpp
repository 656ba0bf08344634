#include "win/control/twips.h"

#include <cmath>

namespace nimbo::win::control {

namespace {
constexpr double kTwipsPerInch = 1440.0;
constexpr double kHimetricPerInch = 2540.0;
}  // namespace

PixelsPerInch ScreenPixelsPerInch() {
  PixelsPerInch result;
  if (HDC screen = GetDC(nullptr)) {
    result.x = GetDeviceCaps(screen, LOGPIXELSX);
    result.y = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
  }
  return result;
}

int TwipsToPixels(double twips, int pixelsPerInch) {
  return static_cast<int>(std::lround(twips * pixelsPerInch / kTwipsPerInch));
}

double PixelsToTwips(int pixels, int pixelsPerInch) {
  return pixels * kTwipsPerInch / pixelsPerInch;
}

int HimetricToPixels(long himetric, int pixelsPerInch) {
  return static_cast<int>(std::lround(himetric * pixelsPerInch / kHimetricPerInch));
}

long PixelsToHimetric(int pixels, int pixelsPerInch) {
  return std::lround(pixels * kHimetricPerInch / pixelsPerInch);
}

}  // namespace nimbo::win::control
