// The JSON Schema in schema/session.schema.json and the session reader describe the same
// format: every step kind, event, entity type and call method the schema allows, the
// reader knows, and the other way round.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "replay/session/session_reader.h"
#include "standalone/viewer/simulated_viewer_events.h"

namespace nimbo::replay {
namespace {

using json = nlohmann::ordered_json;  // the schema's own order

json Schema() {
  std::ifstream in(std::filesystem::path(NIMBO_SOURCE_DIR) / "schema" / "session.schema.json");
  return json::parse(in);
}

// The `const` of `key` in each alternative of a oneOf.
std::vector<std::string> Consts(const json& oneOf, const std::string& key) {
  std::vector<std::string> values;
  for (const json& alternative : oneOf) values.push_back(alternative["properties"][key]["const"]);
  return values;
}

std::string ErrorOf(const std::string& text) {
  try {
    ReadSession(text);
  } catch (const InvalidSession& error) {
    return error.what();
  }
  return "";
}

TEST(session_schema, lists_the_step_kinds_the_reader_knows) {
  const auto kinds = Consts(Schema()["$defs"]["step"]["oneOf"], "do");
  EXPECT_EQ(kinds.size(), 12u);
  for (const std::string& kind : kinds) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(ErrorOf(R"({"steps": [{"do": ")" + kind + R"("}]})").find("unknown step"),
              std::string::npos);
  }
  // The reader's message lists exactly the schema's kinds.
  std::string listed;
  for (const std::string& kind : kinds) listed += (listed.empty() ? "" : ", ") + json(kind).dump();
  EXPECT_EQ(ErrorOf(R"({"steps": [{"do": "jump"}]})"),
            "steps[0].do: unknown step \"jump\" (allowed: " + listed + ")");
}

TEST(session_schema, lists_the_viewers_events) {
  const json schema = Schema();
  std::vector<std::string> events;
  for (const json& alternative : schema["$defs"]["step"]["oneOf"]) {
    if (alternative["properties"]["do"]["const"] == "event") {
      events = alternative["properties"]["event"]["enum"].get<std::vector<std::string>>();
    }
  }
  const auto& names = standalone::ViewerEventNames();
  EXPECT_EQ(events, std::vector<std::string>(names.begin(), names.end()));
}

TEST(session_schema, lists_the_entity_types_the_reader_knows) {
  const auto types = Consts(Schema()["$defs"]["entity"]["oneOf"], "type");
  EXPECT_EQ(types.size(), 8u);
  for (const std::string& type : types) {
    SCOPED_TRACE(type);
    const std::string error = ErrorOf(R"({"documents": [{"name": "A", "modelSpace": [
        {"id": "e", "type": ")" + type +
                                      R"("}]}], "steps": []})");
    EXPECT_EQ(error.find("unknown entity type"), std::string::npos) << error;
    EXPECT_NE(error.find("missing key"), std::string::npos) << error;  // its geometry
  }
}

TEST(session_schema, top_level_keys_are_the_readers) {
  const json schema = Schema();
  std::string keys;
  for (const auto& [key, unused] : schema["properties"].items()) {
    keys += (keys.empty() ? "" : ", ") + key;
  }
  EXPECT_EQ(ErrorOf(R"({"steps": [], "extra": 1})"),
            "unknown key \"extra\" (allowed: " + keys + ")");
}

}  // namespace
}  // namespace nimbo::replay
