#include "replay/session/session_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace nimbo::replay {
namespace {

// The message a person reads for an invalid session file named s.json.
std::string ErrorOf(const std::string& text) {
  try {
    ReadSession(text);
  } catch (const InvalidSession& error) {
    return error.Describe("s.json");
  }
  return "(no error)";
}

// A session whose only step is `step`.
std::string WithStep(const std::string& step) {
  return R"({"documents": [{"name": "A.dwg"}], "steps": [)" + step + "]}";
}

TEST(session_reader, names_line_and_column_of_a_syntax_error) {
  EXPECT_EQ(ErrorOf("{\n  \"steps\": [\n    {\"do\": \"show\",}\n  ]\n}"),
            "s.json:3:19: JSON syntax error: unexpected '}'; expected string literal");
  EXPECT_EQ(ErrorOf("{\"steps\": [tru]}"),
            "s.json:1:15: JSON syntax error: invalid literal; last read: '\"steps\": [tru]'");
  EXPECT_EQ(ErrorOf(""),
            "s.json:1:1: JSON syntax error: unexpected end of input; expected '[', '{', or a "
            "literal");
  EXPECT_TRUE(ErrorOf("{\"steps\": []} x").starts_with("s.json:1:15: JSON syntax error: "));
  EXPECT_EQ(ErrorOf("{\"steps\": [], \"locale\": \"\xff\"}"),
            "s.json:1:26: JSON syntax error: invalid string: ill-formed UTF-8 byte; last read: "
            "'\"\xff'");
}

TEST(session_reader, names_the_path_of_a_wrong_type) {
  EXPECT_EQ(ErrorOf(WithStep(R"({"do": "resize", "width": "wide", "height": 300})")),
            "s.json: steps[0].width: expected a number, found a string");
  EXPECT_EQ(ErrorOf(R"({"steps": {}})"), "s.json: steps: expected an array, found an object");
  EXPECT_EQ(ErrorOf(R"({"autocad": 1, "steps": []})"),
            "s.json: autocad: expected true or false, found a number");
  EXPECT_EQ(ErrorOf(R"({"documents": [{"name": "A", "layers": [{"name": "B", "color": 256}]}],
                        "steps": []})"),
            "s.json: documents[0].layers[0].color: expected a whole number from 1 to 255, found "
            "256");
  EXPECT_EQ(ErrorOf(R"({"viewer": {"views": {"2": {"total": [1, 2, 3]}}}, "steps": []})"),
            "s.json: viewer.views.2.total: expected 8 numbers (ULx, ULy, URx, URy, LLx, LLy, LRx, "
            "LRy), found an array of 3");
  EXPECT_EQ(ErrorOf("[1]"), "s.json: a session is a JSON object with \"steps\", found an array");
}

TEST(session_reader, refuses_unknown_missing_and_repeated_keys) {
  const std::string steps = R"({"steps": [{"do": "show"}, {"do": "show"}, {"do": "show"},
      {"do": "click", "user": [{"buton": "Yes"}]}]})";
  EXPECT_EQ(ErrorOf(steps),
            "s.json: steps[3].user[0]: unknown key \"buton\" (allowed: button, input, point, "
            "select)");
  EXPECT_EQ(ErrorOf(R"({"step": []})"),
            "s.json: unknown key \"step\" (allowed: now, locale, autocad, map, documents, "
            "activeDocument, viewer, steps)");
  EXPECT_EQ(ErrorOf(R"({})"), "s.json: missing key \"steps\"");
  EXPECT_EQ(ErrorOf(WithStep(R"({"do": "show", "document": "A.dwg"})")),
            "s.json: steps[0]: unknown key \"document\" (allowed: do, user)");
  EXPECT_EQ(ErrorOf(WithStep(R"({"do": "activate"})")),
            "s.json: steps[0]: missing key \"document\"");
  EXPECT_EQ(ErrorOf(R"({"steps": [{"do": "show", "user": [{"input": "a", "input": "b"}]}]})"),
            "s.json: steps[0].user[0]: key \"input\" given twice");
  EXPECT_EQ(ErrorOf(R"({"steps": [], "steps": []})"), "s.json: key \"steps\" given twice");
}

TEST(session_reader, names_what_is_allowed_for_unknown_names) {
  EXPECT_EQ(ErrorOf(WithStep(R"({"do": "jump"})")),
            "s.json: steps[0].do: unknown step \"jump\" (allowed: \"show\", \"resize\", \"dock\", "
            "\"activate\", \"closeDocument\", \"terminate\", \"event\", \"command\", \"click\", "
            "\"call\", \"viewer\", \"fail\")");
  EXPECT_EQ(ErrorOf(WithStep(R"({"do": "activate", "document": "B.dwg"})")),
            "s.json: steps[0].document: unknown document \"B.dwg\" (documents: \"A.dwg\")");
  EXPECT_EQ(ErrorOf(WithStep(R"({"do": "call", "method": "AddLayers", "layername": "X"})")),
            "s.json: steps[0].method: unknown method \"AddLayers\" (methods: \"AddLayer\", "
            "\"FindLayer\", \"DeleteAll\", \"DeleteLayer\")");
  const std::string unknownEvent = ErrorOf(WithStep(R"({"do": "event", "event": "Panned"})"));
  EXPECT_TRUE(unknownEvent.starts_with(
      "s.json: steps[0].event: unknown event \"Panned\" (events: \"AreaMeasured\", \"Bea"))
      << unknownEvent;
  EXPECT_NE(unknownEvent.find("\"ExtentChanged\")"), std::string::npos);
  EXPECT_EQ(ErrorOf(R"({"locale": "fr-FR", "steps": []})"),
            "s.json: locale: unknown locale \"fr-FR\" (allowed: \"en-US\", \"de-DE\")");
  EXPECT_EQ(ErrorOf(R"({"activeDocument": "X", "steps": []})"),
            "s.json: activeDocument: unknown document \"X\" (the session has no documents)");
}

TEST(session_reader, checks_event_arguments_against_the_viewer_table) {
  EXPECT_EQ(ErrorOf(WithStep(R"({"do": "event", "event": "ModeChanged", "args": ["MOSAIC"]})")),
            "s.json: steps[0].args: ModeChanged takes 2 arguments (mode, viewIndex), got 1");
  EXPECT_EQ(ErrorOf(WithStep(R"({"do": "event", "event": "ModeChanged"})")),
            "s.json: steps[0]: ModeChanged takes 2 arguments (mode, viewIndex), got 0");
  EXPECT_EQ(
      ErrorOf(WithStep(R"({"do": "event", "event": "ModeChanged", "args": ["MOSAIC", 2.5]})")),
      "s.json: steps[0].args[1]: ModeChanged: argument 2 (viewIndex) must be a whole number from "
      "-2147483648 to 2147483647, got 2.5");
  EXPECT_EQ(ErrorOf(WithStep(
                R"({"do": "event", "event": "OverlaysPermissionChanged", "args": [[true]]})")),
            "s.json: steps[0].args[0]: expected a number, a string or true/false, found an array");

  const Session session = ReadSession(
      WithStep(R"({"do": "event", "event": "SelectedPointChanged", "args": [10, 2.5]})"));
  const auto& event = std::get<EventStep>(session.steps.at(0).action);
  EXPECT_EQ(event.event, "SelectedPointChanged");
  EXPECT_EQ(event.args, (std::vector<automation::Variant>{int32_t{10}, 2.5}));
}

TEST(session_reader, refuses_an_unknown_fail_target_and_suggests_its_neighbours) {
  const std::string error = ErrorOf(WithStep(
      R"({"do": "fail", "target": "drawing.Layers.Ad", "number": 5, "description": "x"})"));
  EXPECT_TRUE(error.starts_with(
      "s.json: steps[0].target: unknown fail target \"drawing.Layers.Ad\" (targets of "
      "drawing.Layers: "))
      << error;
  EXPECT_NE(error.find("\"drawing.Layers.Add\""), std::string::npos);
  EXPECT_NE(error.find("`nimbodock targets` lists them all)"), std::string::npos);
  EXPECT_EQ(ErrorOf(WithStep(
                R"({"do": "fail", "target": "drawing.Layers.Add", "number": 5, "times": 0,
                    "description": "x"})")),
            "s.json: steps[0].times: expected a whole number from 1 to 2147483647, found 0");

  const Session session = ReadSession(WithStep(
      R"({"do": "fail", "target": "viewer.RefreshOverlays", "number": -2147467259,
          "description": "Unspecified error", "after": 2})"));
  const auto& fail = std::get<FailStep>(session.steps.at(0).action);
  EXPECT_EQ(fail.target, "viewer.RefreshOverlays");
  EXPECT_EQ(fail.number, -2147467259);
  EXPECT_EQ(fail.after, 2);
  EXPECT_EQ(fail.times, 1);
}

TEST(session_reader, reads_every_answer_and_refuses_a_button_that_takes_none) {
  const Session session = ReadSession(WithStep(R"({"do": "click", "user": [
      {"button": "Yes"}, {"input": "2.5"}, {"input": null}, {"point": [1, 2]},
      {"point": [1, 2, 3]}, {"point": null}, {"select": ["r1", "r2"]}, {"select": []}]})"));
  const auto& user = session.steps.at(0).user;
  ASSERT_EQ(user.size(), 8u);
  EXPECT_EQ(std::get<standalone::ButtonAnswer>(user[0]).button, "Yes");
  EXPECT_EQ(std::get<standalone::InputAnswer>(user[1]).text, "2.5");
  EXPECT_FALSE(std::get<standalone::InputAnswer>(user[2]).text.has_value());
  EXPECT_EQ(std::get<standalone::PointAnswer>(user[3]).point, (host::Point3{1, 2, 0}));
  EXPECT_EQ(std::get<standalone::PointAnswer>(user[4]).point, (host::Point3{1, 2, 3}));
  EXPECT_FALSE(std::get<standalone::PointAnswer>(user[5]).point.has_value());
  EXPECT_EQ(std::get<standalone::SelectAnswer>(user[6]).ids,
            (std::vector<std::string>{"r1", "r2"}));
  EXPECT_TRUE(std::get<standalone::SelectAnswer>(user[7]).ids.empty());

  EXPECT_EQ(ErrorOf(WithStep(R"({"do": "click", "user": [{"button": "OK"}]})")),
            "s.json: steps[0].user[0].button: a button answer is \"Yes\" or \"No\", found \"OK\" "
            "(a box with only OK takes no answer)");
  EXPECT_EQ(ErrorOf(WithStep(R"({"do": "click", "user": [{"input": "a", "point": null}]})")),
            "s.json: steps[0].user[0]: an answer has exactly one of the keys button, input, "
            "point, select; found 2");
  EXPECT_EQ(ErrorOf(WithStep(R"({"do": "click", "user": [{"point": [1]}]})")),
            "s.json: steps[0].user[0].point: expected a point [x, y] or [x, y, z], found an array");
}

TEST(session_reader, fills_in_the_defaults) {
  const Session session = ReadSession(R"({"documents": [
      {"name": "A.dwg", "layers": [{"name": "Roads", "color": 3}, {"name": "0", "on": false}],
       "modelSpace": [{"id": "p1", "type": "point", "at": [1, 2]}]},
      {"name": "B.dwg"}], "steps": []})");
  EXPECT_FALSE(session.now.has_value());
  EXPECT_EQ(session.locale, "en-US");
  EXPECT_TRUE(session.autocad);
  EXPECT_TRUE(session.map);
  EXPECT_EQ(session.activeDocument, "A.dwg");
  const SessionDocument& a = session.documents.at(0);
  ASSERT_EQ(a.layers.size(), 2u);
  EXPECT_EQ(a.layers[0].name, "0");  // put first, keeping what the file says of it
  EXPECT_FALSE(a.layers[0].on);
  EXPECT_EQ(a.layers[1].color, SessionColor::ByIndex(3));
  EXPECT_EQ(a.layers[1].lineweight, -3);
  EXPECT_EQ(a.viewSize, 100);
  EXPECT_EQ(a.currentLayer, "0");
  const SessionEntity& point = a.modelSpace.at(0);
  EXPECT_EQ(point.layer, "0");
  EXPECT_EQ(point.color, SessionColor::ByLayer());
  EXPECT_EQ(point.lineweight, -1);
  EXPECT_EQ(std::get<PointGeometry>(point.geometry).at, (host::Point3{1, 2, 0}));
  ASSERT_EQ(session.documents.at(1).layers.size(), 1u);  // "0" added

  EXPECT_FALSE(ReadSession(R"({"documents": [{"name": "A"}], "activeDocument": null,
                              "steps": []})")
                   .activeDocument.has_value());
  EXPECT_FALSE(ReadSession(R"({"steps": []})").activeDocument.has_value());
}

TEST(session_reader, reads_every_colour_form) {
  const Session session = ReadSession(R"({"documents": [{"name": "A", "layers": [
      {"name": "a", "color": 1}, {"name": "b", "color": "ByLayer"}, {"name": "c", "color": "ByBlock"},
      {"name": "d", "color": {"rgb": [150, 20, 250]}},
      {"name": "e", "color": {"method": 192, "index": 256, "rgb": [1, 2, 3]}}]}], "steps": []})");
  const auto& layers = session.documents.at(0).layers;
  EXPECT_EQ(layers[1].color, (SessionColor{195, 1, {0, 0, 0}}));
  EXPECT_EQ(layers[2].color, (SessionColor{192, 256, {0, 0, 0}}));
  EXPECT_EQ(layers[3].color, (SessionColor{193, 0, {0, 0, 0}}));
  EXPECT_EQ(layers[4].color, (SessionColor{194, 0, {150, 20, 250}}));
  EXPECT_EQ(layers[5].color, (SessionColor{192, 256, {1, 2, 3}}));
  EXPECT_EQ(ErrorOf(R"({"documents": [{"name": "A", "layers": [{"name": "a", "color": "red"}]}],
                        "steps": []})"),
            "s.json: documents[0].layers[0].color: unknown colour \"red\" (a colour is 1 to 255, "
            "\"ByLayer\", \"ByBlock\", {\"rgb\": [r, g, b]} or {\"method\": n, \"index\": n, "
            "\"rgb\": [r, g, b]})");
  EXPECT_EQ(ErrorOf(R"({"documents": [{"name": "A", "layers": [{"name": "a",
                          "color": {"rgb": [0, 0, 300]}}]}], "steps": []})"),
            "s.json: documents[0].layers[0].color.rgb[2]: expected a whole number from 0 to 255, "
            "found 300");
}

TEST(session_reader, checks_the_names_a_document_uses) {
  EXPECT_EQ(ErrorOf(R"({"documents": [{"name": "A", "layers": [{"name": "Roads"}],
      "modelSpace": [{"id": "l", "type": "line", "start": [0, 0], "end": [1, 1], "layer": "Rivers"}]}],
      "steps": []})"),
            "s.json: documents[0].modelSpace[0]: layer \"Rivers\" is not in the document's layers "
            "(\"0\", \"Roads\")");
  // Layer names compare as the host compares them, ignoring case.
  EXPECT_NO_THROW(ReadSession(R"({"documents": [{"name": "A", "layers": [{"name": "Roads"}],
      "modelSpace": [{"id": "l", "type": "point", "at": [0, 0], "layer": "ROADS"}],
      "currentLayer": "roads"}], "steps": []})"));
  EXPECT_EQ(ErrorOf(R"({"documents": [{"name": "A", "layers": [{"name": "R"}, {"name": "r"}]}],
                        "steps": []})"),
            "s.json: documents[0].layers[1]: layer \"r\" given twice");
  EXPECT_EQ(ErrorOf(R"({"documents": [{"name": "A", "modelSpace": [
      {"id": "b", "type": "blockReference", "block": "Height", "at": [0, 0]}]}], "steps": []})"),
            "s.json: documents[0].modelSpace[0]: block \"Height\" is not in the document's blocks");
  EXPECT_EQ(ErrorOf(R"({"documents": [{"name": "A", "modelSpace": [
      {"id": "p", "type": "point", "at": [0, 0]}], "paperSpace": [
      {"id": "p", "type": "point", "at": [0, 0]}]}], "steps": []})"),
            "s.json: documents[0].paperSpace[0]: id \"p\" is used twice in the document");
  EXPECT_EQ(ErrorOf(R"({"documents": [{"name": "A", "modelSpace": [
      {"id": "#1", "type": "point", "at": [0, 0]}]}], "steps": []})"),
            "s.json: documents[0].modelSpace[0].id: ids beginning with \"#\" are kept for what the "
            "control creates");
  EXPECT_EQ(ErrorOf(R"({"documents": [{"name": "A", "modelSpace": [
      {"id": "c", "type": "circle", "center": [0, 0], "radius": 2, "points": []}]}], "steps": []})"),
            "s.json: documents[0].modelSpace[0]: unknown key \"points\" (allowed: id, type, layer, "
            "color, lineweight, center, radius)");
  EXPECT_EQ(ErrorOf(R"({"documents": [{"name": "A", "modelSpace": [
      {"id": "c", "type": "ellipse"}]}], "steps": []})"),
            "s.json: documents[0].modelSpace[0].type: unknown entity type \"ellipse\" (allowed: "
            "\"polyline\", \"line\", \"point\", \"circle\", \"arc\", \"text\", \"region\", "
            "\"blockReference\")");
  EXPECT_EQ(ErrorOf(R"({"documents": [{"name": "A"}, {"name": "A"}], "steps": []})"),
            "s.json: documents[1]: document \"A\" given twice");
}

TEST(session_reader, reads_the_clock_as_a_real_calendar_time) {
  const Session session = ReadSession(R"({"now": "2026-12-07T10:15:30", "steps": []})");
  EXPECT_EQ(session.now, (automation::DateTime{2026, 12, 7, 10, 15, 30}));
  EXPECT_NO_THROW(ReadSession(R"({"now": "2024-02-29T00:00:00", "steps": []})"));
  EXPECT_EQ(ErrorOf(R"({"now": "2025-02-29T00:00:00", "steps": []})"),
            "s.json: now: \"2025-02-29T00:00:00\" is not a time of the calendar");
  EXPECT_EQ(ErrorOf(R"({"now": "2026-12-07 10:15", "steps": []})"),
            "s.json: now: expected a time \"YYYY-MM-DDTHH:MM:SS\", found \"2026-12-07 10:15\"");
}

TEST(session_reader, follows_open_and_active_documents_through_the_steps) {
  const std::string documents = R"("documents": [{"name": "A"}, {"name": "B"}, {"name": "C"}])";
  // Closing the active B makes the next one, C, active; closing C then makes A active.
  EXPECT_NO_THROW(ReadSession("{" + documents + R"(, "activeDocument": "B", "steps": [
      {"do": "closeDocument", "document": "B"}, {"do": "closeDocument", "document": "C"},
      {"do": "command", "name": "PAN"}]})"));
  EXPECT_EQ(ErrorOf("{" + documents + R"(, "steps": [
      {"do": "closeDocument", "document": "A"}, {"do": "activate", "document": "A"}]})"),
            "s.json: steps[1].document: document \"A\" is closed by then (steps[0])");
  EXPECT_EQ(ErrorOf("{" + documents + R"(, "steps": [{"do": "closeDocument", "document": "A"},
      {"do": "closeDocument", "document": "B"}, {"do": "closeDocument", "document": "C"},
      {"do": "command", "name": "ZOOM"}]})"),
            "s.json: steps[3]: no document is active when the command runs");
  EXPECT_EQ(ErrorOf(R"({"steps": [{"do": "command", "name": "PAN"}]})"),
            "s.json: steps[0]: no document is active when the command runs");
}

}  // namespace
}  // namespace nimbo::replay
