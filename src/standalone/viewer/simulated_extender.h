// The container-provided properties (Top, Left, Width, Height, in twips) of a child
// control of the embedded default. Setting one writes `<control> <Property> = <value>`,
// e.g. `viewer Top = 0` or `button Left = 2122.5`; reading answers the current value and
// writes nothing.
#pragma once

#include <string>

#include "host/viewer.h"
#include "standalone/journal.h"

namespace nimbo::standalone {

struct ExtenderGeometry {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
};

// The design geometry of the two child controls.
inline constexpr float kTwipsPerPixel = 15;
// The viewer: at 0, 0, sized 465 by 377 pixels.
inline constexpr ExtenderGeometry kViewerDesignGeometry{0, 0, 465 * kTwipsPerPixel,
                                                        377 * kTwipsPerPixel};
// The button "Center in new map point".
inline constexpr ExtenderGeometry kButtonDesignGeometry{2340, 5775, 2745, 420};

// `<control> <property> = <value>`, the value as the single-precision property holds it,
// written exactly.
std::string ExtenderLine(const std::string& control, const char* property, float value);

class SimulatedExtender : public host::ExtenderProperties {
 public:
  // `control` names the control in the journal ("viewer", "button"). The journal is
  // borrowed and must outlive the properties.
  SimulatedExtender(std::string control, Journal& journal, ExtenderGeometry geometry)
      : control_(std::move(control)), journal_(journal), geometry_(geometry) {}

  static SimulatedExtender ForViewer(Journal& journal) {
    return SimulatedExtender("viewer", journal, kViewerDesignGeometry);
  }
  static SimulatedExtender ForButton(Journal& journal) {
    return SimulatedExtender("button", journal, kButtonDesignGeometry);
  }

  float Top() override { return geometry_.top; }
  float Left() override { return geometry_.left; }
  float Width() override { return geometry_.width; }
  float Height() override { return geometry_.height; }
  void SetTop(float value) override { Set("Top", geometry_.top, value); }
  void SetLeft(float value) override { Set("Left", geometry_.left, value); }
  void SetWidth(float value) override { Set("Width", geometry_.width, value); }
  void SetHeight(float value) override { Set("Height", geometry_.height, value); }

  const ExtenderGeometry& Geometry() const { return geometry_; }

 private:
  void Set(const char* property, float& member, float value);

  std::string control_;
  Journal& journal_;  // borrowed
  ExtenderGeometry geometry_;
};

}  // namespace nimbo::standalone
