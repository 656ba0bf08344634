// A small SVG writer for the replay's picture: elements appended as text, numbers in a
// fixed, locale-free form, and panels that map drawing units (y up) onto a rectangle of
// the picture (y down).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nimbo::replay {

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  std::string Hex() const;  // "#rrggbb"
};

// An axis-aligned box in drawing units; empty until it covers a point.
struct Bounds {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  bool empty = true;
  void Cover(double x, double y);  // ignores non-finite coordinates
};

// Maps drawing units into a rectangle of the picture, keeping the aspect ratio, with a
// margin; a box without area is shown around its centre.
class PanelMap {
 public:
  PanelMap(const Bounds& bounds, double left, double top, double width, double height);
  double X(double x) const { return left_ + (x - originX_) * scale_; }
  double Y(double y) const { return bottom_ - (y - originY_) * scale_; }
  double Length(double units) const { return units * scale_; }

 private:
  double left_, bottom_, originX_, originY_, scale_;
};

// A name cut to `limit` characters (a UTF-8 sequence counts as one), with an ellipsis.
std::string Shortened(const std::string& name, size_t limit);

class SvgCanvas {
 public:
  SvgCanvas(double width, double height);
  // For a picture whose height is known only once everything is drawn.
  void SetSize(double width, double height) { width_ = width, height_ = height; }

  // The attributes are written as given (use Attr to build them).
  void Element(const std::string& name, const std::string& attributes);
  void Text(double x, double y, const std::string& text, const std::string& attributes);
  void Comment(const std::string& text);
  std::string Finish();

  // ` name="value"`, the value escaped.
  static std::string Attr(const std::string& name, const std::string& value);
  static std::string Attr(const std::string& name, double value);
  static std::string Number(double value);  // at most two decimals, no trailing zeros
  static std::string Escape(const std::string& text);
  // "x1,y1 x2,y2 ..." for a points attribute.
  static std::string Points(const std::vector<std::pair<double, double>>& points);

 private:
  std::string body_;
  double width_, height_;
};

}  // namespace nimbo::replay
