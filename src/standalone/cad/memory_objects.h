// Internal to the in-memory host: the state that every automation object of one document
// shares, and the factories of those objects. The public face is memory_host.h.
//
// Every object is a thin handle: the document's shared state plus a number (an entity
// handle, a layer number, a block index) or a selection-set record. Objects are made
// afresh on every access, which keeps a drawing of a million entities free of a million
// automation objects; equality of objects is not part of the contract.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "automation/error.h"
#include "host/cad.h"
#include "standalone/cad/memory_drawing.h"
#include "standalone/fault_plan.h"
#include "standalone/journal.h"
#include "standalone/scripted_person.h"
#include "standalone/simulated_event_sinks.h"

namespace nimbo::standalone {

class MemoryApplication;

// What the host's objects share. All borrowed: the caller of MemoryApplication::Create
// keeps them alive as long as the application and every object it handed out.
struct HostServices {
  FaultPlan* faults = nullptr;
  Journal* journal = nullptr;
  ScriptedPerson* person = nullptr;
};

// One open (or closed) document, shared by the application and every object reached
// through it.
struct DocumentState {
  DocumentState(std::string name, int serial, HostServices services,
                std::weak_ptr<MemoryApplication> application)
      : drawing(std::move(name), serial), services(services), application(std::move(application)) {}

  Drawing drawing;
  HostServices services;
  std::weak_ptr<MemoryApplication> application;
  bool closing = false;  // BeginDocClose is being raised
  bool closed = false;
  // The connection point of the document's events. Sinks are borrowed (the contract:
  // valid until Unadvise); a closed document drops them all.
  SimulatedEventSinks<host::DocumentEvents> sinks;

  // Raise the events to every sink advised when the raise starts and still advised when
  // its turn comes; stops when the document closes meanwhile. A sink's AutomationError is
  // ignored, as a connection point ignores a sink's failure.
  void RaiseBeginDocClose(automation::VBool& cancel);
  void RaiseEndCommand(const std::string& commandName);
};
using DocumentStateRef = std::shared_ptr<DocumentState>;

// The first step of every member: the fault plan's check under `target`, then the
// disconnected error when the document is closed.
// Inline: every member of every object starts with it.
[[noreturn]] void Disconnected();
inline void Enter(DocumentState& doc, std::string_view target) {
  doc.services.faults->Check(target);
  if (doc.closed) Disconnected();
}
// Writes `drawing <document> <change>` to the journal.
void Change(DocumentState& doc, const std::string& change);

// The transcript forms used in change lines.
std::string Quote(const std::string& text);
std::string PointText(const Point3& p);
std::string ColorText(const ColorValue& color);

// A collection's count as a Long.
int32_t CountOf(size_t n);
// The error of an index that the collection does not have.
automation::AutomationError NoItem(const std::string& collection, int32_t index, size_t count);
// Symbol names (layers, blocks) of the CAD application: not empty, none of its
// reserved characters; anything else raises host_error::kInvalidInput naming `kind`.
void CheckSymbolName(const std::string& kind, const std::string& name);

// Objects of a document (model space, paper space and blocks: memory_collection.h).
host::DocumentRef MakeDocument(const DocumentStateRef& doc);
std::shared_ptr<host::Layers> MakeLayers(const DocumentStateRef& doc);
std::shared_ptr<host::Blocks> MakeBlocks(const DocumentStateRef& doc);
std::shared_ptr<host::SelectionSets> MakeSelectionSets(const DocumentStateRef& doc);
std::shared_ptr<host::Utility> MakeUtility(const DocumentStateRef& doc);
host::EntityRef MakeEntity(const DocumentStateRef& doc, Drawing::Handle handle);
// A colour object: a snapshot of the value (as TrueColor hands it out).
std::shared_ptr<host::Color> MakeColor(const DocumentStateRef& doc, ColorValue value);

// The colour snapshots that one entity or layer object hands out. A snapshot that its
// caller let go is reachable from here alone, so the next one rewrites it rather than
// making another: reading the colours of a million entities makes a few objects.
class ColorSnapshots {
 public:
  std::shared_ptr<host::Color> Take(const DocumentStateRef& doc, ColorValue value);

 private:
  std::shared_ptr<host::Color> last_;
};

// Every entity object also is an EntityLink, so that the host can find the entity behind
// an interface pointer the control hands back (the profile of AddExtrudedSolid).
class EntityLink {
 public:
  EntityLink(DocumentStateRef doc, Drawing::Handle handle)
      : doc_(std::move(doc)), handle_(handle) {}
  virtual ~EntityLink() = default;
  const DocumentStateRef& LinkedDocument() const { return doc_; }
  Drawing::Handle LinkedHandle() const { return handle_; }
  // Points the object at another live entity of the same kind (EnumeratedEntities).
  virtual void Retarget(Drawing::Handle handle) { handle_ = handle; }

 protected:
  DocumentStateRef doc_;
  Drawing::Handle handle_;
};

// The objects that one enumeration hands to its visitor. An object the visitor did not
// keep is reachable from nowhere once the visit returns, so it is pointed at the next
// entity of its kind rather than a new one made: enumerating a million entities makes a
// few objects, not a million. An object the visitor kept is left as it is.
class EnumeratedEntities {
 public:
  explicit EnumeratedEntities(DocumentStateRef doc) : doc_(std::move(doc)) {}
  // The object of a live entity, valid until the next call.
  const host::EntityRef& Of(Drawing::Handle handle);

 private:
  struct Linked {
    host::EntityRef object;
    EntityLink* link = nullptr;  // the same object
  };
  static constexpr size_t kKinds = static_cast<size_t>(EntityKind::Solid) + 1;
  DocumentStateRef doc_;
  std::array<Linked, kKinds> objects_;  // by kind
};

// Likewise every document object, for the Map application's Project(document).
class DocumentLink {
 public:
  explicit DocumentLink(DocumentStateRef doc) : doc_(std::move(doc)) {}
  virtual ~DocumentLink() = default;
  const DocumentStateRef& LinkedDocument() const { return doc_; }

 protected:
  DocumentStateRef doc_;
};

}  // namespace nimbo::standalone
