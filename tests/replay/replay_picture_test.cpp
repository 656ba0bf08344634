// The `--svg` picture: what it shows of the drawing and the viewer, and that it is a
// picture an SVG renderer accepts.
#include "replay/output/replay_picture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "replay/output/drawing_picture.h"
#include "replay/dxf_documents.h"
#include "replay/output/overlay_picture.h"
#include "replay/replayer.h"
#include "replay/session/session_reader.h"

namespace nimbo::replay {
namespace {

namespace fs = std::filesystem;

// `sessionPath` is where the drawings a session names are found.
std::string PictureAfter(const std::string& text, const std::string& sessionPath = "") {
  Session session = ReadSession(text);
  std::ostringstream report;
  LoadDxfDrawings(session, sessionPath, report);
  ReplayWorld world(session);
  const auto disagreement = RunSteps(world, session);
  EXPECT_FALSE(disagreement) << disagreement->message;
  return PictureOf(world);
}

size_t Count(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

TEST(replay_picture, shows_entities_on_layers_that_are_on_in_their_colours) {
  const std::string svg = PictureAfter(R"({"documents": [{"name": "A.dwg",
    "layers": [{"name": "Roads", "color": 30}, {"name": "Hidden", "on": false},
               {"name": "Frozen", "frozen": true}, {"name": "Own", "color": {"rgb": [1, 2, 3]}}],
    "modelSpace": [
      {"id": "r", "type": "line", "layer": "Roads", "start": [0, 0], "end": [100, 50]},
      {"id": "h", "type": "line", "layer": "Hidden", "color": {"rgb": [9, 9, 9]}, "start": [0, 0], "end": [5, 5]},
      {"id": "f", "type": "line", "layer": "Frozen", "color": {"rgb": [8, 8, 8]}, "start": [0, 0], "end": [5, 5]},
      {"id": "o", "type": "circle", "layer": "Own", "center": [50, 20], "radius": 5},
      {"id": "x", "type": "text", "layer": "Own", "color": 1, "at": [10, 10], "text": "a<b & \"c\"", "height": 3}]}],
    "steps": [{"do": "show"}]})");
  EXPECT_EQ(Count(svg, "stroke=\"#ff7f00\""), 1u);  // Roads' line, by layer, colour 30
  EXPECT_EQ(Count(svg, "stroke=\"#010203\""), 1u);  // the circle takes its layer's RGB
  EXPECT_EQ(Count(svg, "#090909"), 0u);             // off
  EXPECT_EQ(Count(svg, "#080808"), 0u);             // frozen
  EXPECT_NE(svg.find("fill=\"#ff0000\">a&lt;b &amp; &quot;c&quot;</text>"), std::string::npos);
  // The legend names every layer, the hidden ones too.
  EXPECT_NE(svg.find(">Hidden \u2014 1 entity, off</text>"), std::string::npos);
  EXPECT_NE(svg.find(">Frozen \u2014 1 entity, frozen</text>"), std::string::npos);
  EXPECT_NE(svg.find(">0 \u2014 0 entities, current</text>"), std::string::npos);
  EXPECT_NE(svg.find(">view: centre (0, 0), height 100</text>"), std::string::npos);
  EXPECT_NE(svg.find(">no selected point</text>"), std::string::npos);
}

TEST(replay_picture, marks_the_selected_point_and_draws_what_each_view_received) {
  const std::string svg = PictureAfter(R"({"documents": [{"name": "A.dwg",
    "layers": [{"name": "Roads", "color": 30, "lineweight": 50}],
    "modelSpace": [{"id": "r", "type": "polyline", "layer": "Roads", "points": [[0, 0], [10, 0], [10, 5]]},
                   {"id": "s", "type": "line", "layer": "Roads", "color": 1, "lineweight": 30,
                    "start": [1, 1], "end": [4, 4]}]}],
    "viewer": {"views": {"2": {"active": true, "total": [-5, 10, 15, 10, -5, -5, 15, -5]}}},
    "steps": [{"do": "show"}, {"do": "dock"}, {"do": "activate", "document": "A.dwg"},
      {"do": "event", "event": "OverlaysPermissionChanged", "args": [true]},
      {"do": "event", "event": "SelectedPointChanged", "args": [2.5, 3]}]})");
  EXPECT_NE(svg.find(">selected point (2.5, 3)</text>"), std::string::npos);
  EXPECT_NE(svg.find(">view 2  MOSAIC  active</text>"), std::string::npos);
  EXPECT_NE(svg.find(">view 4  MOSAIC  inactive</text>"), std::string::npos);
  // Roads' polyline in its layer's pen (width 13), the red line in its own (width 10).
  EXPECT_NE(svg.find("stroke=\"#ff7f00\" stroke-width=\"4.55\""), std::string::npos);
  EXPECT_NE(svg.find("stroke=\"#ff0000\" stroke-width=\"3.5\""), std::string::npos);
  EXPECT_NE(svg.find(">2 lines, mosaic</text>"), std::string::npos);
}

TEST(replay_picture, takes_colours_as_the_cad_application_shows_them) {
  const standalone::LayerData rgbLayer{"L", standalone::ColorValue::Rgb(10, 20, 30)};
  EXPECT_EQ(DisplayColor(standalone::ColorValue::ByLayer(), rgbLayer).Hex(), "#0a141e");
  EXPECT_EQ(DisplayColor(standalone::ColorValue::Index(30), rgbLayer).Hex(), "#ff7f00");
  EXPECT_EQ(DisplayColor(standalone::ColorValue::ByBlock(), rgbLayer).Hex(), "#ffffff");
  const standalone::LayerData byLayerLayer{"L", standalone::ColorValue::ByLayer()};
  EXPECT_EQ(DisplayColor(standalone::ColorValue::ByLayer(), byLayerLayer).Hex(), "#ffffff");
  EXPECT_DOUBLE_EQ(DisplayWidth(-1, standalone::LayerData{"L", {}, true, false, false, 60}), 3.2);
  EXPECT_DOUBLE_EQ(DisplayWidth(-3, rgbLayer), 1.2);
}

TEST(replay_picture, keeps_long_names_and_long_layer_tables_beside_the_drawing) {
  EXPECT_EQ(Shortened("Stra\u00dfe-Nord", 5), "Stra\u00df\u2026");
  EXPECT_EQ(Shortened("Roads", 5), "Roads");
  std::string layers;
  for (int i = 1; i <= 40; ++i) {
    layers += (i > 1 ? ", " : "") + std::string(R"({"name": "L)") + std::to_string(i) + "\"}";
  }
  const std::string svg = PictureAfter(R"({"documents": [{"name": "A.dwg", "layers": [)" + layers +
                                       R"(]}], "steps": [{"do": "show"}]})");
  EXPECT_NE(svg.find(">L27 \u2014 0 entities</text>"), std::string::npos);
  EXPECT_EQ(svg.find(">L28 \u2014"), std::string::npos);
  EXPECT_NE(svg.find(">and 13 more layers</text>"), std::string::npos);
}

// rsvg-convert (Debian's librsvg2-bin) is the renderer a person uses to look at the
// picture; it refuses malformed SVG (a repeated attribute, a bad escape).
TEST(replay_picture, every_example_renders) {
  if (std::system("command -v rsvg-convert >/dev/null 2>&1") != 0) {
    GTEST_SKIP() << "rsvg-convert is not installed";
  }
  const fs::path examples = fs::path(NIMBO_SOURCE_DIR) / "examples";
  const fs::path out =
      fs::temp_directory_path() / ("nimbodock-picture-" + std::to_string(getpid()));
  fs::create_directories(out);
  for (const auto& entry : fs::directory_iterator(examples)) {
    if (entry.path().extension() != ".json") continue;
    SCOPED_TRACE(entry.path().filename().string());
    std::ifstream in(entry.path());
    std::ostringstream text;
    text << in.rdbuf();
    const fs::path svg = out / (entry.path().stem().string() + ".svg");
    std::ofstream(svg) << PictureAfter(text.str(), entry.path().string());
    const std::string command =
        "rsvg-convert '" + svg.string() + "' -o '" + svg.string() + ".png' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_GT(fs::file_size(svg.string() + ".png"), 10000u);
  }
  fs::remove_all(out);
}

}  // namespace
}  // namespace nimbo::replay
