#include <algorithm>
#include <cmath>

#include "standalone/cad/memory_errors.h"
#include "standalone/cad/memory_host.h"
#include "standalone/cad/memory_map.h"

namespace nimbo::standalone {

using host_error::Raise;

std::shared_ptr<MemoryApplication> MemoryApplication::Create(FaultPlan& faults, Journal& journal,
                                                             ScriptedPerson& person) {
  auto app = std::shared_ptr<MemoryApplication>(
      new MemoryApplication(HostServices{&faults, &journal, &person}));
  app->map_ = std::make_shared<MemoryMapApplication>(app->services_);
  return app;
}

host::DocumentRef MemoryApplication::ActiveDocument() {
  services_.faults->Check("drawing.Application.ActiveDocument");
  return active_ ? MakeDocument(active_) : nullptr;
}

automation::ObjectRef MemoryApplication::GetInterfaceObject(const std::string& progId) {
  services_.faults->Check("drawing.Application.GetInterfaceObject");
  if (mapAvailable_ && NameKey(progId) == NameKey(host::kMapProgId)) return map_;
  throw Raise(host_error::kCannotLoadApplication,
              "Problem in loading application " + Quote(progId));
}

void MemoryApplication::ZoomCenter(const Point3& center, double magnification) {
  services_.faults->Check("drawing.Application.ZoomCenter");
  if (!active_) throw Raise(host_error::kNoDocument, "No document is active");
  if (!(magnification > 0) || !std::isfinite(magnification)) {
    throw Raise(host_error::kInvalidInput,
                "Invalid input: magnification " + TranscriptNumber(magnification));
  }
  active_->drawing.StoreVariable("VIEWCTR",
                                 automation::DoubleArray{0, {center.x, center.y, center.z}});
  active_->drawing.StoreVariable("VIEWSIZE", magnification);
  Change(*active_, "view centre (" + TranscriptNumber(center.x) + ", " +
                       TranscriptNumber(center.y) + ") size " + TranscriptNumber(magnification));
}

// ----- the replay's operations ----------------------------------------------------------

DocumentStateRef MemoryApplication::FindOpen(std::string_view name) const {
  for (const DocumentStateRef& doc : documents_) {
    if (doc->drawing.Name() == name) return doc;
  }
  return nullptr;
}

Drawing& MemoryApplication::AddDocument(std::string name) {
  if (FindOpen(name)) throw SetupError("a document named \"" + name + "\" is open already");
  auto doc =
      std::make_shared<DocumentState>(std::move(name), nextSerial_++, services_, weak_from_this());
  documents_.push_back(doc);
  opened_.push_back(doc);
  return doc->drawing;
}

void MemoryApplication::Activate(std::optional<std::string_view> name) {
  if (!name) {
    active_ = nullptr;
    return;
  }
  DocumentStateRef doc = FindOpen(*name);
  if (!doc) throw SetupError("no open document is named \"" + std::string(*name) + "\"");
  active_ = doc;
}

bool MemoryApplication::CloseDocument(std::string_view name) {
  DocumentStateRef doc = FindOpen(name);
  if (!doc) throw SetupError("no open document is named \"" + std::string(name) + "\"");
  if (doc->closing) return false;  // asked again from inside its BeginDocClose: one close
  automation::VBool cancel;
  doc->closing = true;
  doc->RaiseBeginDocClose(cancel);
  doc->closing = false;
  if (doc->closed) return cancel.IsTrue();  // closed by a sink meanwhile
  const auto position = std::find(documents_.begin(), documents_.end(), doc) - documents_.begin();
  documents_.erase(documents_.begin() + position);
  doc->closed = true;
  doc->sinks.UnbindAll();
  if (active_ == doc) {
    if (documents_.empty()) {
      active_ = nullptr;
    } else if (static_cast<size_t>(position) < documents_.size()) {
      active_ = documents_[static_cast<size_t>(position)];
    } else {
      active_ = documents_.back();
    }
  }
  return cancel.IsTrue();
}

void MemoryApplication::RunCommand(std::string_view document, const std::string& commandName,
                                   std::optional<spatial::Vec2> viewCenter,
                                   std::optional<double> viewSize) {
  DocumentStateRef doc = FindOpen(document);
  if (!doc) throw SetupError("no open document is named \"" + std::string(document) + "\"");
  if (viewCenter || viewSize) {
    const Point3 center = doc->drawing.ViewCenter();
    doc->drawing.SetView(viewCenter ? viewCenter->x : center.x,
                         viewCenter ? viewCenter->y : center.y,
                         viewSize ? *viewSize : doc->drawing.ViewSize());
  }
  doc->RaiseEndCommand(commandName);
}

std::vector<Drawing*> MemoryApplication::OpenDrawings() {
  std::vector<Drawing*> out;
  for (const DocumentStateRef& doc : documents_) out.push_back(&doc->drawing);
  return out;
}

std::vector<MemoryApplication::SessionDrawing> MemoryApplication::SessionDrawings() {
  std::vector<SessionDrawing> out;
  for (const DocumentStateRef& doc : opened_) out.push_back({&doc->drawing, !doc->closed});
  return out;
}

Drawing* MemoryApplication::FindDrawing(std::string_view name) {
  DocumentStateRef doc = FindOpen(name);
  return doc ? &doc->drawing : nullptr;
}

std::optional<std::string> MemoryApplication::ActiveDocumentName() const {
  if (!active_) return std::nullopt;
  return active_->drawing.Name();
}

host::DocumentRef MemoryApplication::DocumentObject(std::string_view name) {
  DocumentStateRef doc = FindOpen(name);
  return doc ? MakeDocument(doc) : nullptr;
}

}  // namespace nimbo::standalone
