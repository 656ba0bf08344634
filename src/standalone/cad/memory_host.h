// The embedded CAD host: an in-memory CAD application (host::Application) with several
// open documents and an active one, or none; its documents, layers, spaces, blocks,
// selection sets, picks and entities (memory_objects.h: memory_document.cpp,
// memory_layers.cpp, memory_collection.h, memory_blocks.cpp, memory_selection_sets.cpp,
// memory_utility.cpp, memory_entities.cpp); the Map application (memory_map.h); the
// running-object lookup (running_objects.h).
//
// Like a real CAD host where the control depends on it: adding a layer that exists
// (case-insensitively) answers that layer; layer "0", the current layer and a layer still
// used by an entity cannot be deleted; selection-set names are unique; a cancelled pick
// raises errors::kUserCancelled; deleting while model space is enumerated is safe; a
// closed document, and every object reached through it, raises host_error::kDisconnected.
// Errors are listed in memory_errors.h.
//
// Every member of every host object first calls the fault plan's Check with its target,
// "drawing.<Object>.<Member>" (fault_targets.cpp lists them all), and every change it
// makes to a drawing is journaled as `drawing <document> <change>` (docs/drawing-changes.md).
// The picks and on-screen selections take their answers from the ScriptedPerson and are
// journaled as `user pick ...` and `user select -> [...]`.
//
// The operations below the host contract (adding, activating and closing documents,
// running a command) are the replay's: they neither check the fault plan nor journal.
// Documents are built and read through their Drawing (memory_drawing.h).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/cad.h"
#include "standalone/cad/memory_drawing.h"
#include "standalone/cad/memory_objects.h"

namespace nimbo::standalone {

class MemoryMapApplication;

// Reads of the objects this host hands out that are no host calls (no fault check, no
// journal line), for a layer in front of the host that must not add calls of its own:
// an enumeration over COM asks between the items it hands out whether each still
// exists, and a wrapper picks its interface by the entity's kind.
//
// Whether the entity (layer) still exists: its document open, it not deleted. False for
// an object this host did not make.
bool EntityStillExists(const host::Entity& entity);
bool LayerStillExists(const host::Layer& layer);
// The kind of the entity behind the object; nullopt for an object this host did not make.
std::optional<EntityKind> KindOfEntity(const host::Entity& entity);

class MemoryApplication : public host::Application,
                          public std::enable_shared_from_this<MemoryApplication> {
 public:
  // All three are borrowed and must outlive the application and every object it hands out.
  static std::shared_ptr<MemoryApplication> Create(FaultPlan& faults, Journal& journal,
                                                   ScriptedPerson& person);

  // ----- host::Application ------------------------------------------------------------
  host::DocumentRef ActiveDocument() override;
  // "AutoCADMap.Application" (case-insensitive) answers the Map application while it is
  // available; anything else raises host_error::kCannotLoadApplication.
  automation::ObjectRef GetInterfaceObject(const std::string& progId) override;
  // Centres the active document's view on the point (VIEWCTR) with the magnification as
  // its height (VIEWSIZE). No active document raises kNoDocument; a magnification that
  // is not positive raises kInvalidInput.
  void ZoomCenter(const Point3& center, double magnification) override;

  // ----- The replay's operations (no fault checks, no journal) ------------------------

  // Whether "AutoCADMap.Application" is available (default true).
  void SetMapAvailable(bool available) { mapAvailable_ = available; }
  bool MapAvailable() const { return mapAvailable_; }

  // Opens a new, empty document (layer "0", model and paper space, the default
  // variables) and answers its drawing for setup. It does not become active. A name that
  // an open document has throws SetupError.
  Drawing& AddDocument(std::string name);
  // Makes the open document of that name active (exact name); nullopt: none. An unknown
  // name throws SetupError.
  void Activate(std::optional<std::string_view> name);
  // The document starts closing: BeginDocClose is raised to its sinks with a Cancel flag
  // (answered: whether a sink set it; the document closes anyway), then it closes. If it
  // was active, the active document becomes the next open one (the one after it, else the
  // one before), or none. Every later call on it, or on any object reached through it,
  // raises host_error::kDisconnected. An unknown name throws SetupError.
  bool CloseDocument(std::string_view name);
  // In the open document of that name, the person runs a command: the view changes first
  // (centre and/or size, when given), then EndCommand is raised with `commandName`.
  void RunCommand(std::string_view document, const std::string& commandName,
                  std::optional<spatial::Vec2> viewCenter = std::nullopt,
                  std::optional<double> viewSize = std::nullopt);

  // ----- Inspection -------------------------------------------------------------------

  // The open documents, in order of opening.
  std::vector<Drawing*> OpenDrawings();
  // Every document opened in the session, in order of opening, and whether it is open.
  struct SessionDrawing {
    Drawing* drawing;
    bool open;
  };
  std::vector<SessionDrawing> SessionDrawings();
  // The open document of that name, or null.
  Drawing* FindDrawing(std::string_view name);
  // The name of the active document, or nullopt.
  std::optional<std::string> ActiveDocumentName() const;
  // The automation object of an open document (what ActiveDocument answers when it is
  // active), or null; makes no fault check.
  host::DocumentRef DocumentObject(std::string_view name);

  const HostServices& Services() const { return services_; }

 private:
  explicit MemoryApplication(HostServices services) : services_(services) {}
  DocumentStateRef FindOpen(std::string_view name) const;

  HostServices services_;
  std::vector<DocumentStateRef> documents_;  // open ones, in order of opening
  // Every document of the session, closed ones included, so that their drawings stay
  // readable.
  std::vector<DocumentStateRef> opened_;
  DocumentStateRef active_;
  int nextSerial_ = 0;
  bool mapAvailable_ = true;
  std::shared_ptr<MemoryMapApplication> map_;
};

}  // namespace nimbo::standalone
