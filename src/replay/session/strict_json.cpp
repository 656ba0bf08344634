#include "replay/session/strict_json.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <regex>
#include <set>

namespace nimbo::replay {

using nlohmann::json;

InvalidSession::InvalidSession(std::string place, std::string message)
    : std::runtime_error(place.empty() ? message : place + ": " + message),
      place_(std::move(place)),
      message_(std::move(message)) {}

std::string InvalidSession::Describe(const std::string& fileName) const {
  if (place_.empty()) return fileName + ": " + message_;
  // A syntax error's place is "line:column", which joins the file name without a blank.
  const bool isPosition = std::isdigit(static_cast<unsigned char>(place_.front())) != 0;
  return fileName + (isPosition ? ":" : ": ") + place_ + ": " + message_;
}

std::string PathIndex(const std::string& path, size_t index) {
  return path + "[" + std::to_string(index) + "]";
}

std::string PathKey(const std::string& path, std::string_view key) {
  return path.empty() ? std::string(key) : path + "." + std::string(key);
}

std::string QuotedList(const std::vector<std::string>& names) {
  std::string out;
  for (const std::string& name : names) {
    if (!out.empty()) out += ", ";
    out += json(name).dump();
  }
  return out;
}

namespace {

// Follows the parser through the document to name the object in which a key repeats;
// the parsed value itself keeps only the last of two equal keys.
class DuplicateKeyGuard {
 public:
  bool operator()(int /*depth*/, json::parse_event_t event, json& parsed) {
    switch (event) {
      case json::parse_event_t::object_start:
        frames_.push_back(Frame{true, {}, {}, 0});
        break;
      case json::parse_event_t::array_start:
        frames_.push_back(Frame{false, {}, {}, 0});
        break;
      case json::parse_event_t::key: {
        Frame& frame = frames_.back();
        frame.key = parsed.get<std::string>();
        if (!frame.keys.insert(frame.key).second) {
          throw InvalidSession(PathOfCurrentObject(), "key \"" + frame.key + "\" given twice");
        }
        break;
      }
      case json::parse_event_t::object_end:
      case json::parse_event_t::array_end:
        frames_.pop_back();
        ElementDone();
        break;
      case json::parse_event_t::value:
        ElementDone();
        break;
    }
    return true;
  }

 private:
  struct Frame {
    bool isObject;
    std::set<std::string> keys;
    std::string key;  // of the member being read
    size_t index;     // of the element being read
  };
  void ElementDone() {
    if (!frames_.empty() && !frames_.back().isObject) ++frames_.back().index;
  }
  std::string PathOfCurrentObject() const {
    std::string path;
    for (size_t i = 0; i + 1 < frames_.size(); ++i) {
      path =
          frames_[i].isObject ? PathKey(path, frames_[i].key) : PathIndex(path, frames_[i].index);
    }
    return path;
  }
  std::vector<Frame> frames_;
};

// nlohmann's message "[json.exception.parse_error.101] parse error at line 2, column 8:
// syntax error while parsing value - invalid literal; last read: 'x'" becomes the place
// "2:8" and the message "JSON syntax error: invalid literal; last read: 'x'".
InvalidSession SyntaxError(const json::parse_error& error) {
  static const std::regex kForm(
      R"(at line (\d+), column (\d+): (?:syntax error while parsing [a-z ]+ - )?(.*))");
  const std::string what = error.what();
  std::smatch match;
  if (std::regex_search(what, match, kForm)) {
    return InvalidSession(match[1].str() + ":" + match[2].str(),
                          "JSON syntax error: " + match[3].str());
  }
  return InvalidSession("",
                        "JSON syntax error at byte " + std::to_string(error.byte) + ": " + what);
}

// "a string", "an array", ...: what a message says was found instead.
std::string KindOf(const json& value) {
  if (value.is_null()) return "null";
  if (value.is_boolean()) return "a Boolean";
  if (value.is_number()) return "a number";
  if (value.is_string()) return "a string";
  if (value.is_array()) return "an array";
  return "an object";
}

// A number beyond the range of a double ("[json.exception.out_of_range.406] number
// overflow parsing '1e999'") is told at its first place in the text.
InvalidSession NumberOutOfRange(const json::out_of_range& error, const std::string& text) {
  const std::string what = error.what();
  const size_t open = what.find('\'');
  const size_t close = what.rfind('\'');
  if (open == std::string::npos || close <= open) {
    return InvalidSession("", "JSON number out of range");
  }
  const std::string number = what.substr(open + 1, close - open - 1);
  const size_t at = text.find(number);
  if (at == std::string::npos) return InvalidSession("", "JSON number out of range: " + number);
  const size_t lineStart = text.rfind('\n', at) == std::string::npos ? 0 : text.rfind('\n', at) + 1;
  const auto line =
      1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n');
  return InvalidSession(std::to_string(line) + ":" + std::to_string(at - lineStart + 1),
                        "JSON number out of range: " + number);
}

}  // namespace

json ParseStrictly(const std::string& text) {
  try {
    return json::parse(text, DuplicateKeyGuard{});
  } catch (const json::parse_error& error) {
    throw SyntaxError(error);
  } catch (const json::out_of_range& error) {
    throw NumberOutOfRange(error, text);
  }
}

void JsonNode::Fail(const std::string& message) const {
  throw InvalidSession(path_, message);
}

void JsonNode::FailType(std::string_view what) const {
  Fail("expected " + std::string(what) + ", found " + KindOf(*value_));
}

double JsonNode::Number() const {
  if (!value_->is_number()) FailType("a number");
  const double value = value_->get<double>();
  if (!std::isfinite(value)) Fail("the number is too large");
  return value;
}

int32_t JsonNode::Integer(int64_t min, int64_t max) const {
  if (!value_->is_number()) FailType("a whole number");
  const double value = value_->get<double>();
  if (value != std::trunc(value)) Fail("expected a whole number, found " + value_->dump());
  if (value < static_cast<double>(min) || value > static_cast<double>(max)) {
    Fail("expected a whole number from " + std::to_string(min) + " to " + std::to_string(max) +
         ", found " + value_->dump());
  }
  return static_cast<int32_t>(value);
}

bool JsonNode::Boolean() const {
  if (!value_->is_boolean()) FailType("true or false");
  return value_->get<bool>();
}

std::string JsonNode::String() const {
  if (!value_->is_string()) FailType("a string");
  return value_->get<std::string>();
}

std::string JsonNode::NonEmptyString() const {
  std::string text = String();
  if (text.empty()) Fail("must not be empty");
  return text;
}

std::vector<JsonNode> JsonNode::Array() const {
  if (!value_->is_array()) FailType("an array");
  std::vector<JsonNode> elements;
  elements.reserve(value_->size());
  for (size_t i = 0; i < value_->size(); ++i) {
    elements.emplace_back((*value_)[i], PathIndex(path_, i));
  }
  return elements;
}

std::vector<JsonNode> JsonNode::ArrayOf(size_t count, std::string_view what) const {
  if (!value_->is_array()) FailType(what);
  if (value_->size() != count) {
    Fail("expected " + std::string(what) + ", found an array of " + std::to_string(value_->size()));
  }
  return Array();
}

JsonObject::JsonObject(const JsonNode& node, const std::vector<std::string_view>& allowed)
    : node_(node) {
  if (!node.IsObject()) node.FailType("an object");
  for (const auto& [key, value] : node.Json().items()) {
    bool known = false;
    for (std::string_view name : allowed) known = known || name == key;
    if (known) continue;
    std::string list;
    for (std::string_view name : allowed) list += (list.empty() ? "" : ", ") + std::string(name);
    node.Fail("unknown key " + json(key).dump() + " (allowed: " + list + ")");
  }
}

bool JsonObject::Has(std::string_view key) const {
  return node_.Json().contains(key);
}

std::optional<JsonNode> JsonObject::Optional(std::string_view key) const {
  auto found = node_.Json().find(key);
  if (found == node_.Json().end()) return std::nullopt;
  return JsonNode(*found, PathKey(node_.Path(), key));
}

JsonNode JsonObject::Required(std::string_view key) const {
  auto value = Optional(key);
  if (!value) node_.Fail("missing key \"" + std::string(key) + "\"");
  return *value;
}

}  // namespace nimbo::replay
