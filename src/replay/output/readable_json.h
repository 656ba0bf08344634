// JSON laid out for a person: objects one member a line, while an array of numbers or
// strings (a point, a pen, a list of names) stays on one line when it is short.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace nimbo::replay {

std::string ReadableJson(const nlohmann::ordered_json& value);

}  // namespace nimbo::replay
