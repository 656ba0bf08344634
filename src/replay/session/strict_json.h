// Strict reading of a JSON document: a syntax error names its line and column, and every
// later complaint (a wrong type, an unknown or missing key, a value out of range) names
// the path of the value, as `steps[3].user[0]: unknown key "buton"`.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace nimbo::replay {

// A session file that cannot be replayed. `place` is "12:7" for a syntax error, the path
// of the value otherwise, and empty when the complaint is about the whole document.
class InvalidSession : public std::runtime_error {
 public:
  InvalidSession(std::string place, std::string message);
  const std::string& place() const { return place_; }
  const std::string& message() const { return message_; }
  // "<file>:<line>:<column>: <message>" or "<file>: <path>: <message>".
  std::string Describe(const std::string& fileName) const;

 private:
  std::string place_;
  std::string message_;
};

// Parses the text; a syntax error, invalid UTF-8 or a key given twice in one object is
// an InvalidSession.
nlohmann::json ParseStrictly(const std::string& text);

// A value of the document with its path.
class JsonNode {
 public:
  JsonNode(const nlohmann::json& value, std::string path)
      : value_(&value), path_(std::move(path)) {}

  const nlohmann::json& Json() const { return *value_; }
  const std::string& Path() const { return path_; }
  bool IsNull() const { return value_->is_null(); }
  bool IsString() const { return value_->is_string(); }
  bool IsNumber() const { return value_->is_number(); }
  bool IsArray() const { return value_->is_array(); }
  bool IsObject() const { return value_->is_object(); }

  [[noreturn]] void Fail(const std::string& message) const;
  // "expected <what>, found <the JSON type>".
  [[noreturn]] void FailType(std::string_view what) const;

  double Number() const;  // a finite number
  int32_t Integer(int64_t min, int64_t max) const;
  bool Boolean() const;
  std::string String() const;
  std::string NonEmptyString() const;
  std::vector<JsonNode> Array() const;
  // An array of exactly `count` elements.
  std::vector<JsonNode> ArrayOf(size_t count, std::string_view what) const;

 private:
  const nlohmann::json* value_;  // borrowed from the parsed document
  std::string path_;
};

// A JSON object whose keys must all be among `allowed`.
class JsonObject {
 public:
  JsonObject(const JsonNode& node, const std::vector<std::string_view>& allowed);

  const JsonNode& Node() const { return node_; }
  bool Has(std::string_view key) const;
  std::optional<JsonNode> Optional(std::string_view key) const;
  JsonNode Required(std::string_view key) const;

 private:
  JsonNode node_;
};

// Path helpers: "steps" + 3 -> "steps[3]", "steps[3]" + "user" -> "steps[3].user".
std::string PathIndex(const std::string& path, size_t index);
std::string PathKey(const std::string& path, std::string_view key);

// `"a", "b", "c"`: what a message lists as allowed.
std::string QuotedList(const std::vector<std::string>& names);

}  // namespace nimbo::replay
