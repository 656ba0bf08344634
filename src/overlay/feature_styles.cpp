#include "overlay/feature_styles.h"

#include "automation/error_rules.h"
#include "automation/object_cast.h"
#include "overlay/acad_colors.h"
#include "overlay/layer_lookup.h"
#include "overlay/lineweight_width.h"

namespace nimbo::overlay {

using automation::Require;

namespace {

struct Rgb {
  int32_t red = 0;
  int32_t green = 0;
  int32_t blue = 0;
};

Rgb Convert(control::ControlState& state, const std::shared_ptr<host::Color>& color) {
  const std::shared_ptr<AcadColors> colors = Require<AcadColors>(state.colors);
  const std::shared_ptr<host::Color> c = Require<host::Color>(color);
  Rgb rgb;
  rgb.red = colors->AcadColorToRed(*c);
  rgb.green = colors->AcadColorToGreen(*c);
  rgb.blue = colors->AcadColorToBlue(*c);
  return rgb;
}

}  // namespace

void SendLayerStyle(control::ControlState& state, host::Layer& layer, int32_t viewIndex) {
  automation::TrapSilently([&] {
    std::shared_ptr<host::Color> color = layer.TrueColor();
    const int32_t lineweight = layer.Lineweight();
    Rgb rgb = Convert(state, color);
    int32_t width = LineweightToWidth(lineweight);
    const std::string name = layer.Name();
    state.Viewer().SetOverlayLayerStyle(name, viewIndex, rgb.red, rgb.green, rgb.blue, width);
  });
}

bool HasLayerStyle(host::Entity& entity) {
  // Both are read, whatever the first answer.
  const bool colorByLayer =
      Require<host::Color>(entity.TrueColor())->ColorMethod() == host::color_method::kByLayer;
  const bool lineweightByLayer = entity.Lineweight() == host::kLineweightByLayer;
  return colorByLayer && lineweightByLayer;
}

void SendEntityStyle(control::ControlState& state, host::Entity& entity) {
  automation::TrapSilently([&] {
    std::shared_ptr<host::Color> color = entity.TrueColor();
    host::LayerRef layer;
    auto entityLayer = [&] {
      if (!layer) layer = Require<host::Layer>(GetLayer(state, entity.Layer()));
      return layer;
    };
    // A colour that follows the layer has no palette entry of its own (index 256): the
    // feature is drawn in its layer's colour, with its own width.
    if (Require<host::Color>(color)->ColorMethod() == host::color_method::kByLayer) {
      color = entityLayer()->TrueColor();
    }
    Rgb rgb = Convert(state, color);
    // Likewise a line weight that follows the layer (-1) takes its layer's width, not the
    // width of an unknown weight.
    int32_t lineweight = entity.Lineweight();
    if (lineweight == host::kLineweightByLayer) lineweight = entityLayer()->Lineweight();
    int32_t width = LineweightToWidth(lineweight);
    state.Viewer().SetFeatureStyle(rgb.red, rgb.green, rgb.blue, width);
  });
}

}  // namespace nimbo::overlay
