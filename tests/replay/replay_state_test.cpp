// The final state that `--state` writes: its shape, the session's forms read back, and a
// layout that stays valid JSON.
#include "replay/output/replay_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "replay/document_setup.h"
#include "replay/output/readable_json.h"
#include "replay/replayer.h"
#include "replay/session/session_reader.h"
#include "replay/session/session_values.h"

namespace nimbo::replay {
namespace {

using Json = nlohmann::ordered_json;

// Replays the session to its end and answers its state.
Json StateAfter(const std::string& text, std::string* transcript = nullptr) {
  const Session session = ReadSession(text);
  ReplayWorld world(session);
  const auto disagreement = RunSteps(world, session);
  EXPECT_FALSE(disagreement) << disagreement->message;
  if (transcript) *transcript = TranscriptText(world.journal);
  return StateOf(world);
}

TEST(replay_state, holds_records_variables_selection_sets_and_what_the_viewer_was_told) {
  std::string transcript;
  const Json state = StateAfter(R"({"now": "2026-12-07T10:15:30", "locale": "de-DE",
    "documents": [{"name": "A.dwg", "objectData": [{"table": "Parcels", "fields": ["Area", "Owner"]}],
      "modelSpace": [{"id": "parcel-7", "type": "polyline", "closed": true,
                      "points": [[0, 0], [10, 0], [10, 10]]}]}],
    "steps": [{"do": "show"}, {"do": "dock"}, {"do": "activate", "document": "A.dwg"},
      {"do": "click", "user": [{"point": [1, 2]}]},
      {"do": "event", "event": "AreaMeasured", "args": [812.5, "Parcels", "Area"],
       "user": [{"button": "Yes"}, {"select": ["parcel-7"]}]}]})",
                                &transcript);
  const Json& document = state["documents"][0];
  EXPECT_EQ(
      document["objectDataRecords"],
      Json::parse(R"([{"table": "Parcels", "object": "parcel-7", "values": {"Area": 812.5}}])"));
  EXPECT_EQ(document["selectionSets"], Json::array());  // the temporary one was deleted
  EXPECT_EQ(
      document["variables"],
      Json::parse(R"({"VIEWCTR": [0.0, 0.0, 0.0], "VIEWSIZE": 100.0, "PDMODE": 0, "PDSIZE": 0})"));
  EXPECT_EQ(state["viewer"]["tableInfo"].back(), "Parcels,Area,Owner");
  EXPECT_EQ(state["viewer"]["clientInfo"][1], "2.5.2");
  EXPECT_EQ(state["control"]["overlaysPermitted"], false);
  // The locale shows in the measure text and in the temporary selection set's name.
  EXPECT_NE(transcript.find("\"Saving measuring 812,5 using method Parcels"), std::string::npos);
  EXPECT_NE(transcript.find("selection set added \"Vesk07.12.2026 10:15:30\""), std::string::npos);
}

TEST(replay_state, keeps_a_drawing_closed_during_the_session_with_what_was_saved_into_it) {
  const Json state = StateAfter(R"({"documents": [
      {"name": "A.dwg", "objectData": [{"table": "Parcels", "fields": ["Area"]}],
       "modelSpace": [{"id": "parcel-7", "type": "polyline", "closed": true,
                       "points": [[0, 0], [10, 0], [10, 10]]}]},
      {"name": "B.dwg"}],
    "steps": [{"do": "show"}, {"do": "dock"}, {"do": "activate", "document": "A.dwg"},
      {"do": "event", "event": "AreaMeasured", "args": [812.5, "Parcels", "Area"],
       "user": [{"button": "Yes"}, {"select": ["parcel-7"]}]},
      {"do": "closeDocument", "document": "A.dwg"}]})");

  const Json& documents = state["documents"];
  ASSERT_EQ(documents.size(), 2u);
  EXPECT_EQ(documents[0]["name"], "A.dwg");
  EXPECT_EQ(documents[0]["open"], false);
  EXPECT_EQ(documents[0]["objectDataRecords"].size(), 1u);
  // An open drawing keeps the session's Document form, which has no such key.
  EXPECT_EQ(documents[1]["name"], "B.dwg");
  EXPECT_FALSE(documents[1].contains("open"));
}

TEST(replay_state, writes_documents_back_in_the_sessions_document_form) {
  const std::string documents = R"([{"name": "A.dwg",
      "layers": [{"name": "0", "color": 7, "on": true, "frozen": false, "locked": false, "lineweight": -3},
                 {"name": "Roads", "color": {"rgb": [10, 20, 30]}, "on": false, "frozen": true,
                  "locked": true, "lineweight": 50}],
      "modelSpace": [
        {"id": "p", "type": "polyline", "layer": "Roads", "color": 3, "lineweight": 30,
         "points": [[0, 0], [10, 0], [10, 5]], "closed": true},
        {"id": "l", "type": "line", "layer": "0", "color": "ByBlock", "lineweight": -1,
         "start": [0, 0, 0], "end": [1, 2, 3]},
        {"id": "c", "type": "circle", "layer": "0", "color": "ByLayer", "lineweight": -1,
         "center": [5, 5, 0], "radius": 2},
        {"id": "a", "type": "arc", "layer": "0", "color": "ByLayer", "lineweight": -1,
         "center": [5, 5, 0], "radius": 2, "startAngle": 0, "endAngle": 1.5},
        {"id": "t", "type": "text", "layer": "0", "color": "ByLayer", "lineweight": -1,
         "at": [1, 1, 0], "text": "x", "height": 2.5},
        {"id": "r", "type": "region", "layer": "0", "color": "ByLayer", "lineweight": -1,
         "points": [[0, 0], [4, 0], [4, 4]]},
        {"id": "b", "type": "blockReference", "layer": "0", "color": "ByLayer", "lineweight": -1,
         "block": "Height", "at": [3, 3, 0], "attributes": [{"tag": "Height", "value": "12.5"}]}],
      "paperSpace": [{"id": "pt", "type": "point", "layer": "0", "color": "ByLayer",
                      "lineweight": -1, "at": [1, 1, 0]}],
      "blocks": [{"name": "Height", "origin": [0, 0, 0], "attributes": [
        {"tag": "Height", "value": "0", "height": 2, "prompt": "Height?", "mode": 1, "at": [0, 1, 0]}]}],
      "objectData": [{"table": "Parcels", "fields": ["Area"]}],
      "viewCenter": [5, 5], "viewSize": 50, "currentLayer": "Roads"}])";
  const Json state = StateAfter(R"({"documents": )" + documents + R"(, "steps": []})");

  Json written = state["documents"][0];
  for (const char* added : {"selectionSets", "variables", "objectDataRecords"}) {
    ASSERT_TRUE(written.contains(added)) << added;
    written.erase(added);
  }
  // A block reference gains its scale and rotation in the state.
  Json& reference = written["modelSpace"][6];
  EXPECT_EQ(reference["scale"], Json::parse("[1.0, 1.0, 1.0]"));
  reference.erase("scale");
  reference.erase("rotation");
  EXPECT_EQ(written, Json::parse(documents)[0]);
  // And what the state writes reads back as a session's document.
  EXPECT_NO_THROW(ReadSession(R"({"documents": [)" + written.dump() + R"(], "steps": []})"));
}

TEST(replay_state, writes_each_colour_in_the_form_the_session_gave_it) {
  for (const char* form : {"1", "255", R"("ByLayer")", R"("ByBlock")", R"({"rgb": [150, 20, 250]})",
                           R"({"method": 192, "index": 7, "rgb": [0, 0, 0]})",
                           R"({"method": 195, "index": 256, "rgb": [0, 0, 0]})"}) {
    SCOPED_TRACE(form);
    const nlohmann::json source = nlohmann::json::parse(form);
    const SessionColor color = ReadColor(JsonNode(source, "color"));
    EXPECT_EQ(ColorJson(HostColor(color)), Json::parse(form));
  }
}

TEST(replay_state, lays_out_json_for_reading_and_keeps_it_valid) {
  const Json value = Json::parse(R"({"point": [1.5, 2, 0], "names": ["a", "b"], "nested":
      {"list": [{"x": 1}, {"y": [[1, 2], [3, 4]]}]}, "empty": {}, "none": []})");
  const std::string text = ReadableJson(value);
  EXPECT_EQ(Json::parse(text), value);
  EXPECT_NE(text.find(R"("point": [1.5, 2, 0])"), std::string::npos) << text;

  // A coordinate that is not finite has no JSON form: it is written null, not left broken.
  Json broken = Json::array(
      {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity(), 1e-05});
  EXPECT_EQ(ReadableJson(broken), "[null, null, 1e-05]\n");

  // A long name stays whole, in an object broken up one member a line.
  const Json named =
      Json{{"name", std::string(200, 'n')}, {"list", Json::array({std::string(200, 'l')})}};
  EXPECT_EQ(Json::parse(ReadableJson(named)), named);

  // What does not fit on a line is broken up, one member a line.
  Json wide = Json::object();
  wide["a"] = std::string(60, 'x');
  wide["b"] = std::string(60, 'y');
  EXPECT_EQ(ReadableJson(wide), "{\n  \"a\": \"" + std::string(60, 'x') + "\",\n  \"b\": \"" +
                                    std::string(60, 'y') + "\"\n}\n");
}

}  // namespace
}  // namespace nimbo::replay
