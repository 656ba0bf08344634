// The Step section of a session file, with the person's answers.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>

#include "replay/session/fail_target_hint.h"
#include "replay/session/session_parts.h"
#include "replay/session/session_values.h"
#include "standalone/fault_plan.h"
#include "standalone/viewer/simulated_viewer_events.h"

namespace nimbo::replay {

namespace {

const std::vector<std::string> kCallMethods = {"AddLayer", "FindLayer", "DeleteAll", "DeleteLayer"};

standalone::Answer ReadAnswer(const JsonNode& node) {
  const JsonObject object(node, {"button", "input", "point", "select"});
  if (node.Json().size() != 1) {
    node.Fail("an answer has exactly one of the keys button, input, point, select; found " +
              std::to_string(node.Json().size()));
  }
  if (auto v = object.Optional("button")) {
    const std::string button = v->String();
    if (button != "Yes" && button != "No") {
      v->Fail("a button answer is \"Yes\" or \"No\", found \"" + button +
              "\" (a box with only OK takes no answer)");
    }
    return standalone::ButtonAnswer{button};
  }
  if (auto v = object.Optional("input")) {
    if (v->IsNull()) return standalone::InputAnswer{std::nullopt};
    return standalone::InputAnswer{v->String()};
  }
  if (auto v = object.Optional("point")) {
    if (v->IsNull()) return standalone::PointAnswer{std::nullopt};
    return standalone::PointAnswer{ReadPoint(*v)};
  }
  const JsonNode list = object.Required("select");
  standalone::SelectAnswer selection;
  for (const JsonNode& id : list.Array()) selection.ids.push_back(id.NonEmptyString());
  return selection;
}

std::string RequireDocument(const JsonNode& node, const std::vector<std::string>& documents) {
  const std::string name = node.String();
  if (std::find(documents.begin(), documents.end(), name) == documents.end()) {
    node.Fail("unknown document \"" + name + "\" (" +
              (documents.empty() ? std::string("the session has no documents")
                                 : "documents: " + QuotedList(documents)) +
              ")");
  }
  return name;
}

// A JSON scalar as the viewer would pass it: whole numbers that fit as Long, other
// numbers as Double.
automation::Variant EventArgumentOf(const JsonNode& node) {
  const nlohmann::json& value = node.Json();
  if (value.is_boolean()) return automation::Variant::Bool(value.get<bool>());
  if (value.is_string()) return automation::Variant(value.get<std::string>());
  if (value.is_number_integer()) {
    const auto whole = value.get<int64_t>();
    if (whole >= INT32_MIN && whole <= INT32_MAX) return automation::Variant(int32_t(whole));
  }
  if (value.is_number()) return automation::Variant(node.Number());
  node.FailType("a number, a string or true/false");
}

EventStep ReadEvent(const JsonObject& object) {
  const JsonNode nameNode = object.Required("event");
  EventStep step{nameNode.String(), {}};
  const auto& names = standalone::ViewerEventNames();
  if (std::find(names.begin(), names.end(), step.event) == names.end()) {
    nameNode.Fail("unknown event \"" + step.event +
                  "\" (events: " + QuotedList({names.begin(), names.end()}) + ")");
  }
  const auto argsNode = object.Optional("args");
  if (argsNode) {
    for (const JsonNode& argument : argsNode->Array()) {
      step.args.push_back(EventArgumentOf(argument));
    }
  }
  // The viewer's own event table judges the arguments; raising to no sink delivers
  // nothing.
  try {
    standalone::SimulatedEventSinks<host::ViewerEvents> nobody;
    standalone::RaiseViewerEvent(nobody, step.event, step.args);
  } catch (const standalone::ViewerEventError& error) {
    const JsonNode& place = argsNode ? *argsNode : object.Node();
    if (error.argument() && argsNode) {
      argsNode->Array().at(*error.argument()).Fail(error.what());
    }
    place.Fail(error.what());
  }
  return step;
}

FailStep ReadFail(const JsonObject& object) {
  FailStep step;
  const JsonNode target = object.Required("target");
  step.target = target.String();
  if (!standalone::IsFaultTarget(step.target)) {
    target.Fail("unknown fail target \"" + step.target + "\"" + FailTargetHint(step.target));
  }
  step.number = object.Required("number").Integer(INT32_MIN, INT32_MAX);
  step.description = object.Required("description").String();
  if (auto v = object.Optional("after")) step.after = v->Integer(0, INT32_MAX);
  if (auto v = object.Optional("times")) step.times = v->Integer(1, INT32_MAX);
  return step;
}

// Each kind: its own keys, and how the action is read.
struct StepForm {
  std::vector<std::string_view> keys;
  std::function<StepAction(const JsonObject&, const std::vector<std::string>&)> read;
};

// In the order the format lists them, which is the order a message lists them in.
const std::vector<std::pair<std::string, StepForm>>& StepForms() {
  using Docs = const std::vector<std::string>&;
  static const std::vector<std::pair<std::string, StepForm>> kForms = {
      {"show", {{}, [](const JsonObject&, Docs) -> StepAction { return ShowStep{}; }}},
      {"resize",
       {{"width", "height"},
        [](const JsonObject& o, Docs) -> StepAction {
          return ResizeStep{o.Required("width").Number(), o.Required("height").Number()};
        }}},
      {"dock", {{}, [](const JsonObject&, Docs) -> StepAction { return DockStep{}; }}},
      {"activate",
       {{"document"},
        [](const JsonObject& o, Docs d) -> StepAction {
          return ActivateStep{RequireDocument(o.Required("document"), d)};
        }}},
      {"closeDocument",
       {{"document"},
        [](const JsonObject& o, Docs d) -> StepAction {
          return CloseDocumentStep{RequireDocument(o.Required("document"), d)};
        }}},
      {"terminate", {{}, [](const JsonObject&, Docs) -> StepAction { return TerminateStep{}; }}},
      {"event",
       {{"event", "args"}, [](const JsonObject& o, Docs) -> StepAction { return ReadEvent(o); }}},
      {"command",
       {{"name", "viewCenter", "viewSize"},
        [](const JsonObject& o, Docs) -> StepAction {
          CommandStep step{o.Required("name").String(), std::nullopt, std::nullopt};
          if (auto v = o.Optional("viewCenter")) step.viewCenter = ReadPoint2(*v);
          if (auto v = o.Optional("viewSize")) {
            step.viewSize = v->Number();
            if (*step.viewSize <= 0) v->Fail("must be greater than 0");
          }
          return step;
        }}},
      {"click", {{}, [](const JsonObject&, Docs) -> StepAction { return ClickStep{}; }}},
      {"call",
       {{"method", "layername"},
        [](const JsonObject& o, Docs) -> StepAction {
          const JsonNode method = o.Required("method");
          CallStep step{method.String(), o.Required("layername").String()};
          if (std::find(kCallMethods.begin(), kCallMethods.end(), step.method) ==
              kCallMethods.end()) {
            method.Fail("unknown method \"" + step.method +
                        "\" (methods: " + QuotedList(kCallMethods) + ")");
          }
          return step;
        }}},
      {"viewer",
       {ViewerStateKeys(),
        [](const JsonObject& o, Docs) -> StepAction { return ViewerStep{ReadViewerPatch(o)}; }}},
      {"fail",
       {{"target", "number", "description", "after", "times"},
        [](const JsonObject& o, Docs) -> StepAction { return ReadFail(o); }}},
  };
  return kForms;
}

}  // namespace

Step ReadStep(const JsonNode& node, const std::vector<std::string>& documents) {
  if (!node.IsObject()) node.FailType("a step object");
  const auto found = node.Json().find("do");
  if (found == node.Json().end()) node.Fail("missing key \"do\"");
  const JsonNode kindNode(*found, PathKey(node.Path(), "do"));
  const std::string kind = kindNode.String();
  const auto form = std::find_if(StepForms().begin(), StepForms().end(),
                                 [&](const auto& entry) { return entry.first == kind; });
  if (form == StepForms().end()) {
    std::vector<std::string> kinds;
    for (const auto& [name, unused] : StepForms()) kinds.push_back(name);
    kindNode.Fail("unknown step \"" + kind + "\" (allowed: " + QuotedList(kinds) + ")");
  }
  std::vector<std::string_view> keys = {"do", "user"};
  keys.insert(keys.end(), form->second.keys.begin(), form->second.keys.end());
  const JsonObject object(node, keys);

  Step step{form->second.read(object, documents), {}};
  if (auto user = object.Optional("user")) {
    for (const JsonNode& answer : user->Array()) step.user.push_back(ReadAnswer(answer));
  }
  return step;
}

}  // namespace nimbo::replay
