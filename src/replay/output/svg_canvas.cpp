#include "replay/output/svg_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace nimbo::replay {

std::string Rgb::Hex() const {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", red, green, blue);
  return buffer;
}

void Bounds::Cover(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  if (empty) {
    minX = maxX = x;
    minY = maxY = y;
    empty = false;
    return;
  }
  minX = std::min(minX, x);
  maxX = std::max(maxX, x);
  minY = std::min(minY, y);
  maxY = std::max(maxY, y);
}

PanelMap::PanelMap(const Bounds& bounds, double left, double top, double width, double height) {
  constexpr double kMargin = 0.06;
  double minX = bounds.empty ? -1 : bounds.minX, maxX = bounds.empty ? 1 : bounds.maxX;
  double minY = bounds.empty ? -1 : bounds.minY, maxY = bounds.empty ? 1 : bounds.maxY;
  double spanX = maxX - minX, spanY = maxY - minY;
  const double span = std::max({spanX, spanY, 1e-9});
  if (spanX < span * 1e-6) spanX = span;
  if (spanY < span * 1e-6) spanY = span;
  const double innerWidth = width * (1 - 2 * kMargin), innerHeight = height * (1 - 2 * kMargin);
  scale_ = std::min(innerWidth / spanX, innerHeight / spanY);
  // Centre the content in the panel.
  const double centerX = (minX + maxX) / 2, centerY = (minY + maxY) / 2;
  originX_ = centerX;
  originY_ = centerY;
  left_ = left + width / 2;
  bottom_ = top + height / 2;
}

SvgCanvas::SvgCanvas(double width, double height) : width_(width), height_(height) {}

void SvgCanvas::Element(const std::string& name, const std::string& attributes) {
  body_ += "<" + name + attributes + "/>\n";
}

void SvgCanvas::Text(double x, double y, const std::string& text, const std::string& attributes) {
  body_ += "<text" + Attr("x", x) + Attr("y", y) + attributes + ">" + Escape(text) + "</text>\n";
}

void SvgCanvas::Comment(const std::string& text) {
  std::string safe = text;
  // "--" may not appear inside a comment.
  for (size_t at = safe.find("--"); at != std::string::npos; at = safe.find("--", at)) {
    safe.replace(at, 2, "- -");
  }
  body_ += "<!-- " + safe + " -->\n";
}

std::string SvgCanvas::Finish() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\"" +
         Attr("width", width_) + Attr("height", height_) +
         Attr("viewBox", "0 0 " + Number(width_) + " " + Number(height_)) +
         " font-family=\"DejaVu Sans, Arial, sans-serif\">\n" + body_ + "</svg>\n";
}

std::string SvgCanvas::Attr(const std::string& name, const std::string& value) {
  return " " + name + "=\"" + Escape(value) + "\"";
}

std::string SvgCanvas::Attr(const std::string& name, double value) {
  return Attr(name, Number(value));
}

std::string SvgCanvas::Number(double value) {
  if (!std::isfinite(value)) return "0";
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.2f", value);
  std::string text = buffer;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text == "-0" ? "0" : text;
}

std::string SvgCanvas::Escape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        // Control characters are not allowed in XML 1.0.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') {
          out += ' ';
        } else {
          out += c;
        }
    }
  }
  return out;
}

// A name cut to `limit` characters (counting UTF-8 sequences as one), with an ellipsis.
std::string Shortened(const std::string& name, size_t limit) {
  size_t characters = 0;
  for (size_t i = 0; i < name.size(); ++i) {
    if ((static_cast<unsigned char>(name[i]) & 0xC0) == 0x80) continue;
    if (++characters > limit) return name.substr(0, i) + "\u2026";
  }
  return name;
}

std::string SvgCanvas::Points(const std::vector<std::pair<double, double>>& points) {
  std::string out;
  for (const auto& [x, y] : points) {
    if (!out.empty()) out += ' ';
    out += Number(x) + "," + Number(y);
  }
  return out;
}

}  // namespace nimbo::replay
