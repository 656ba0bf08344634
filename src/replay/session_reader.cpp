#include "replay/session_reader.h"

#include <algorithm>
#include <set>

#include "automation/locale.h"
#include "replay/session_parts.h"
#include "replay/session_values.h"

namespace nimbo::replay {

Session ReadSession(const std::string& text) {
  const nlohmann::json document = ParseStrictly(text);
  const JsonNode root(document, "");
  if (!root.IsObject()) {
    throw InvalidSession("", std::string("a session is a JSON object with \"steps\", found ") +
                                 (root.IsArray() ? "an array" : "another value"));
  }
  const JsonObject object(
      root, {"now", "locale", "autocad", "map", "documents", "activeDocument", "viewer", "steps"});
  Session session;
  if (auto v = object.Optional("now")) session.now = ReadDateTime(*v);
  if (auto v = object.Optional("locale")) {
    session.locale = v->String();
    if (!automation::Locale::ByName(session.locale)) {
      v->Fail("unknown locale \"" + session.locale + "\" (allowed: \"en-US\", \"de-DE\")");
    }
  }
  if (auto v = object.Optional("autocad")) session.autocad = v->Boolean();
  if (auto v = object.Optional("map")) session.map = v->Boolean();

  std::vector<std::string> names;
  if (auto list = object.Optional("documents")) {
    for (const JsonNode& element : list->Array()) {
      session.documents.push_back(ReadDocument(element));
      const std::string& name = session.documents.back().name;
      if (std::find(names.begin(), names.end(), name) != names.end()) {
        element.Fail("document \"" + name + "\" given twice");
      }
      names.push_back(name);
    }
  }

  if (!names.empty()) session.activeDocument = names.front();
  if (auto v = object.Optional("activeDocument")) {
    if (v->IsNull()) {
      session.activeDocument.reset();
    } else {
      session.activeDocument = v->String();
      if (std::find(names.begin(), names.end(), *session.activeDocument) == names.end()) {
        v->Fail("unknown document \"" + *session.activeDocument + "\" (" +
                (names.empty() ? std::string("the session has no documents")
                               : "documents: " + QuotedList(names)) +
                ")");
      }
    }
  }

  if (auto v = object.Optional("viewer")) {
    session.viewer = ReadViewerPatch(JsonObject(*v, ViewerStateKeys()));
  }

  const JsonNode steps = object.Required("steps");
  for (const JsonNode& element : steps.Array()) {
    session.steps.push_back(ReadStep(element, names));
  }
  return session;
}

const char* StepKind(const StepAction& action) {
  struct Kind {
    const char* operator()(const ShowStep&) const { return "show"; }
    const char* operator()(const ResizeStep&) const { return "resize"; }
    const char* operator()(const DockStep&) const { return "dock"; }
    const char* operator()(const ActivateStep&) const { return "activate"; }
    const char* operator()(const CloseDocumentStep&) const { return "closeDocument"; }
    const char* operator()(const TerminateStep&) const { return "terminate"; }
    const char* operator()(const EventStep&) const { return "event"; }
    const char* operator()(const CommandStep&) const { return "command"; }
    const char* operator()(const ClickStep&) const { return "click"; }
    const char* operator()(const CallStep&) const { return "call"; }
    const char* operator()(const ViewerStep&) const { return "viewer"; }
    const char* operator()(const FailStep&) const { return "fail"; }
  };
  return std::visit(Kind{}, action);
}

}  // namespace nimbo::replay
