#include "replay/session/session_reader.h"

#include <algorithm>
#include <map>
#include <optional>

#include "automation/locale.h"
#include "replay/session/session_parts.h"
#include "replay/session/session_values.h"

namespace nimbo::replay {

namespace {

// Follows which documents are open and which is active through the steps, as the host
// will, so that a step naming a closed document, or a command with no active document,
// is refused before anything runs.
void CheckDocumentSequence(const Session& session, const JsonNode& steps) {
  std::vector<std::string> open;
  for (const SessionDocument& document : session.documents) open.push_back(document.name);
  std::optional<std::string> active = session.activeDocument;
  std::map<std::string, size_t> closedAt;
  const auto elements = steps.Array();
  for (size_t i = 0; i < session.steps.size(); ++i) {
    const StepAction& action = session.steps[i].action;
    const JsonNode& node = elements[i];
    auto requireOpen = [&](const std::string& name) {
      if (std::find(open.begin(), open.end(), name) != open.end()) return;
      JsonNode(node.Json()["document"], PathKey(node.Path(), "document"))
          .Fail("document \"" + name + "\" is closed by then (" +
                PathIndex("steps", closedAt.at(name)) + ")");
    };
    if (const auto* activate = std::get_if<ActivateStep>(&action)) {
      requireOpen(activate->document);
      active = activate->document;
    } else if (const auto* close = std::get_if<CloseDocumentStep>(&action)) {
      requireOpen(close->document);
      const auto position = std::find(open.begin(), open.end(), close->document);
      if (active == close->document) {
        if (position + 1 != open.end()) {
          active = *(position + 1);
        } else if (position != open.begin()) {
          active = *(position - 1);
        } else {
          active.reset();
        }
      }
      open.erase(position);
      closedAt[close->document] = i;
    } else if (std::holds_alternative<CommandStep>(action) && !active) {
      node.Fail("no document is active when the command runs");
    }
  }
}

}  // namespace

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
  CheckDocumentSequence(session, steps);
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
