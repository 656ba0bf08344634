#include "replay/session/session_values.h"

#include <regex>

namespace nimbo::replay {

host::Point3 ReadPoint(const JsonNode& node) {
  if (!node.IsArray() || (node.Json().size() != 2 && node.Json().size() != 3)) {
    node.FailType("a point [x, y] or [x, y, z]");
  }
  const auto coordinates = node.Array();
  return host::Point3{coordinates[0].Number(), coordinates[1].Number(),
                      coordinates.size() == 3 ? coordinates[2].Number() : 0.0};
}

Point2 ReadPoint2(const JsonNode& node) {
  const auto coordinates = node.ArrayOf(2, "a point [x, y]");
  return Point2{coordinates[0].Number(), coordinates[1].Number()};
}

namespace {

std::array<int32_t, 3> ReadRgb(const JsonNode& node) {
  const auto components = node.ArrayOf(3, "[red, green, blue]");
  return {components[0].Integer(0, 255), components[1].Integer(0, 255),
          components[2].Integer(0, 255)};
}

}  // namespace

SessionColor ReadColor(const JsonNode& node) {
  if (node.IsNumber()) return SessionColor::ByIndex(node.Integer(1, 255));
  if (node.IsString()) {
    const std::string name = node.String();
    if (name == "ByLayer") return SessionColor::ByLayer();
    if (name == "ByBlock")
      return SessionColor{host::color_method::kByBlock, host::kColorByBlock, {}};
    node.Fail("unknown colour \"" + name +
              "\" (a colour is 1 to 255, \"ByLayer\", \"ByBlock\", {\"rgb\": [r, g, b]} or "
              "{\"method\": n, \"index\": n, \"rgb\": [r, g, b]})");
  }
  if (!node.IsObject()) node.FailType("a colour");
  if (node.Json().size() == 1 && node.Json().contains("rgb")) {
    const JsonObject object(node, {"rgb"});
    return SessionColor{host::color_method::kByRGB, 0, ReadRgb(object.Required("rgb"))};
  }
  const JsonObject object(node, {"method", "index", "rgb"});
  SessionColor color;
  color.method = object.Required("method").Integer(INT32_MIN, INT32_MAX);
  color.index = object.Required("index").Integer(INT32_MIN, INT32_MAX);
  if (auto rgb = object.Optional("rgb")) color.rgb = ReadRgb(*rgb);
  return color;
}

Corners ReadCorners(const JsonNode& node) {
  const auto numbers = node.ArrayOf(8, "8 numbers (ULx, ULy, URx, URy, LLx, LLy, LRx, LRy)");
  Corners corners{};
  for (size_t i = 0; i < corners.size(); ++i) corners[i] = numbers[i].Number();
  return corners;
}

automation::DateTime ReadDateTime(const JsonNode& node) {
  static const std::regex kForm(R"((\d{4})-(\d{2})-(\d{2})T(\d{2}):(\d{2}):(\d{2}))");
  const std::string text = node.String();
  std::smatch match;
  if (!std::regex_match(text, match, kForm)) {
    node.Fail("expected a time \"YYYY-MM-DDTHH:MM:SS\", found \"" + text + "\"");
  }
  automation::DateTime time{std::stoi(match[1]), std::stoi(match[2]), std::stoi(match[3]),
                            std::stoi(match[4]), std::stoi(match[5]), std::stoi(match[6])};
  const bool leap = (time.year % 4 == 0 && time.year % 100 != 0) || time.year % 400 == 0;
  const int daysInMonth[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool valid = time.year >= 100 && time.month >= 1 && time.month <= 12 && time.day >= 1 &&
                     time.day <= daysInMonth[time.month - 1] && time.hour <= 23 &&
                     time.minute <= 59 && time.second <= 59;
  if (!valid) node.Fail("\"" + text + "\" is not a time of the calendar");
  return time;
}

}  // namespace nimbo::replay
