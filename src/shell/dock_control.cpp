#include "shell/dock_control.h"

#include "automation/object_cast.h"
#include "host/map.h"
#include "overlay/acad_colors.h"
#include "sync/layer_service.h"

namespace nimbo::shell {

using automation::As;
using automation::Require;

DockControl::DockControl(host::ControlEnvironment environment) : state_(environment) {}

DockControl::~DockControl() {
  // The connection points hold borrowed pointers to this control: each must let go, even
  // when another fails to.
  automation::TrapSilently([&] { ReleaseViewerEvents(); });
  automation::TrapSilently([&] { ReleaseDocEvents(); });
  automation::TrapSilently([&] { ReleaseDockContainer(); });
}

automation::AutomationError DockControl::ErrorWithProjectSource() {
  automation::AutomationError error = automation::CurrentError();
  if (error.source().empty()) return error.WithSource(kLibraryName);
  return error;
}

void DockControl::ShowMessage(const std::string& text) {
  state_.Dialogs().MessageBox(text, host::MessageButtons::Ok, std::nullopt);
}

// ---- Lifecycle ----------------------------------------------------------------------

void DockControl::UserControl_Show() {
  // Each step stops the run on its failure; the members it did not reach keep their
  // earlier values.
  try {
    state_.Viewer().SetClientInfo(kClientTitle, kClientVersion);
    if (state_.env.runningObjects == nullptr) {
      throw automation::errors::Standard(automation::errors::kObjectNotSet);
    }
    state_.acadApp =
        Require<host::Application>(state_.env.runningObjects->GetActiveObject(host::kCadProgId));
    state_.overlaysPermitted = false;
    BindViewerEvents();
    state_.visibleBounds.Clear();
    state_.totalBounds.Clear();
    state_.selectedPointX = control::kNoSelectedPoint;
    state_.selectedPointY = control::kNoSelectedPoint;
    state_.colors = std::make_shared<overlay::AcadColors>();
  } catch (...) {
    const automation::AutomationError error = ErrorWithProjectSource();
    ShowMessage("UserControl_Show error " + error.description() + " " + error.source());
  }
}

namespace {

// A child control's container-provided properties; a child that is not there cannot be
// laid out (91).
host::ExtenderProperties& Child(host::ExtenderProperties* properties) {
  if (properties == nullptr) throw automation::errors::Standard(automation::errors::kObjectNotSet);
  return *properties;
}

// A palette smaller than the button strip would give the viewer a negative size, which
// the viewer is not asked to cope with.
float NotNegative(float size) {
  return size < 0 ? 0.0f : size;
}

}  // namespace

void DockControl::UserControl_Resize(double width, double height) {
  const float w = static_cast<float>(width);
  const float h = static_cast<float>(height);
  host::ExtenderProperties& viewer = Child(state_.env.viewerExtender);
  viewer.SetTop(0.0f);
  viewer.SetLeft(5.0f);
  host::ExtenderProperties& button = Child(state_.env.button);
  viewer.SetHeight(NotNegative(h - button.Height() - 5.0f));
  viewer.SetWidth(NotNegative(w - 5.0f));
  button.SetTop(h - button.Height());
  button.SetLeft(w / 2.0f - button.Width() / 2.0f);
}

void DockControl::UserControl_Terminate() {
  ReleaseViewerEvents();
  ReleaseDocEvents();
  state_.mapApp = nullptr;
}

void DockControl::IRetrieveDockableContainer_SetDockContainer(
    const host::DockContainerRef& newVal) {
  BindDockContainer(newVal);
  Require<host::DockContainer>(dockContainer_.source)->Member8(kDockContainerStyle);
}

void DockControl::dockContainer_OnDocumentActivated(const host::DocumentRef& pDocument) {
  state_.activeDoc = pDocument;
  BindDocEvents(pDocument);
  auto application = Require<host::Document>(pDocument)->Application();
  state_.mapApp = As<host::MapApplication>(
      Require<host::Application>(application)->GetInterfaceObject(host::kMapProgId));
}

void DockControl::DocEvents_BeginDocClose(automation::VBool& /*Cancel*/) {
  // Cancel is never written: the control never vetoes a close. activeDoc stays on the
  // closing drawing until another one is activated.
  ReleaseDocEvents();
}

// ---- _DockControl -------------------------------------------------------------------

host::DocumentRef DockControl::DocEvents() {
  return docEvents_.source;
}

void DockControl::SetDocEvents(host::DocumentRef& document) {
  BindDocEvents(document);
}

void DockControl::AddLayer(std::string& layername) {
  sync::AddLayer(state_, layername);
}

host::LayerRef DockControl::FindLayer(std::string& layername) {
  return sync::FindLayer(state_, layername);
}

void DockControl::DeleteAll(std::string& layername) {
  sync::DeleteAll(state_, layername);
}

void DockControl::DeleteLayer(std::string& layername) {
  sync::DeleteLayer(state_, *this, layername);
}

// ---- Event sinks --------------------------------------------------------------------

// Binding a sink lets go of the previous source first; the member holds the new source
// only once its connection point has accepted the sink, so a refused Advise leaves the
// member empty rather than holding a source that delivers nothing.
void DockControl::BindViewerEvents() {
  ReleaseViewerEvents();
  host::ViewerControl* viewer = state_.env.viewer;
  if (viewer == nullptr) throw automation::errors::Standard(automation::errors::kObjectNotSet);
  const int32_t cookie = viewer->Advise(static_cast<host::ViewerEvents*>(this));
  vnvEvents_ = {viewer, cookie};
}

void DockControl::ReleaseViewerEvents() {
  auto* viewer = vnvEvents_.source;
  auto cookie = vnvEvents_.cookie;
  vnvEvents_ = {};
  if (viewer != nullptr && cookie) viewer->Unadvise(*cookie);
}

void DockControl::BindDocEvents(const host::DocumentRef& document) {
  ReleaseDocEvents();
  if (!document) return;
  const int32_t cookie = document->Advise(static_cast<host::DocumentEvents*>(this));
  docEvents_ = {document, cookie};
}

void DockControl::ReleaseDocEvents() {
  auto document = std::move(docEvents_.source);
  auto cookie = docEvents_.cookie;
  docEvents_ = {};
  if (document && cookie) document->Unadvise(*cookie);
}

void DockControl::BindDockContainer(const host::DockContainerRef& container) {
  ReleaseDockContainer();
  if (!container) return;
  const int32_t cookie = container->Advise(static_cast<host::DockContainerEvents*>(this));
  dockContainer_ = {container, cookie};
}

void DockControl::ReleaseDockContainer() {
  auto container = std::move(dockContainer_.source);
  auto cookie = dockContainer_.cookie;
  dockContainer_ = {};
  if (container && cookie) container->Unadvise(*cookie);
}

// The drawing and the dock container deliver here; each event goes to its handler.
void DockControl::BeginDocClose(automation::VBool& cancel) {
  DocEvents_BeginDocClose(cancel);
}
void DockControl::EndCommand(const std::string& commandName) {
  DocEvents_EndCommand(commandName);
}
void DockControl::OnDocumentActivated(const host::DocumentRef& document) {
  dockContainer_OnDocumentActivated(document);
}

}  // namespace nimbo::shell
