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
  // The connection points hold borrowed pointers to this control: release them all.
  try {
    ReleaseViewerEvents();
    ReleaseDocEvents();
    ReleaseDockContainer();
  } catch (...) {
    // A source that fails to let go cannot be helped while the control goes away.
  }
}

void DockControl::ShowMessage(const std::string& text) {
  state_.Dialogs().MessageBox(text, host::MessageButtons::Ok, std::nullopt);
}

// ---- Lifecycle ----------------------------------------------------------------------

void DockControl::UserControl_Show() {
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
    state_.selectedPointX = overlay::kNoSelectedPoint;
    state_.selectedPointY = overlay::kNoSelectedPoint;
    state_.colors = std::make_shared<overlay::AcadColors>();
  } catch (...) {
    const automation::AutomationError error = automation::CurrentError();
    ShowMessage("UserControl_Show error " + error.description() + " " + error.source());
  }
}

void DockControl::UserControl_Resize(double width, double height) {
  auto notNegative = [](double v) { return v < 0 ? 0.0 : v; };
  host::ExtenderProperties* button = state_.env.button;
  const double buttonHeight = button != nullptr ? button->Height() : 0.0;
  const double buttonWidth = button != nullptr ? button->Width() : 0.0;
  if (host::ExtenderProperties* viewer = state_.env.viewerExtender) {
    viewer->SetTop(0.0f);
    viewer->SetLeft(5.0f);
    viewer->SetHeight(static_cast<float>(notNegative(height - buttonHeight - 5)));
    viewer->SetWidth(static_cast<float>(notNegative(width - 5)));
  }
  if (button != nullptr) {
    button->SetTop(static_cast<float>(height - buttonHeight));
    button->SetLeft(static_cast<float>(width / 2 - buttonWidth / 2));
  }
}

void DockControl::UserControl_Terminate() {
  ReleaseViewerEvents();
  ReleaseDocEvents();
  state_.mapApp = nullptr;
}

void DockControl::IRetrieveDockableContainer_SetDockContainer(
    const host::DockContainerRef& newVal) {
  ReleaseDockContainer();
  dockContainer_.source = newVal;
  if (newVal) dockContainer_.cookie = newVal->Advise(static_cast<host::DockContainerEvents*>(this));
  Require<host::DockContainer>(newVal)->Member8(kDockContainerStyle);
}

void DockControl::dockContainer_OnDocumentActivated(const host::DocumentRef& pDocument) {
  state_.activeDoc = pDocument;
  BindDocEvents(pDocument);
  auto application = Require<host::Document>(pDocument)->Application();
  state_.mapApp = As<host::MapApplication>(
      Require<host::Application>(application)->GetInterfaceObject(host::kMapProgId));
}

void DockControl::DocEvents_BeginDocClose(automation::VBool& /*Cancel*/) {
  // Cancel is never written: the control never vetoes a close.
  ReleaseDocEvents();
}

// ---- _DockControl -------------------------------------------------------------------

host::DocumentRef DockControl::DocEvents() { return docEvents_.source; }

void DockControl::SetDocEvents(host::DocumentRef& document) { BindDocEvents(document); }

void DockControl::AddLayer(std::string& layername) { sync::AddLayer(state_, layername); }

host::LayerRef DockControl::FindLayer(std::string& layername) {
  return sync::FindLayer(state_, layername);
}

void DockControl::DeleteAll(std::string& layername) { sync::DeleteAll(state_, layername); }

void DockControl::DeleteLayer(std::string& layername) {
  sync::DeleteLayer(state_, *this, layername);
}

// ---- Event sinks --------------------------------------------------------------------

void DockControl::BindViewerEvents() {
  ReleaseViewerEvents();
  if (state_.env.viewer == nullptr) {
    throw automation::errors::Standard(automation::errors::kObjectNotSet);
  }
  vnvEvents_.source = state_.env.viewer;
  vnvEvents_.cookie = state_.env.viewer->Advise(static_cast<host::ViewerEvents*>(this));
}

void DockControl::ReleaseViewerEvents() {
  auto* viewer = vnvEvents_.source;
  auto cookie = vnvEvents_.cookie;
  vnvEvents_ = {};
  if (viewer != nullptr && cookie) viewer->Unadvise(*cookie);
}

void DockControl::BindDocEvents(const host::DocumentRef& document) {
  ReleaseDocEvents();
  docEvents_.source = document;
  if (document) docEvents_.cookie = document->Advise(static_cast<host::DocumentEvents*>(this));
}

void DockControl::ReleaseDocEvents() {
  auto document = std::move(docEvents_.source);
  auto cookie = docEvents_.cookie;
  docEvents_ = {};
  if (document && cookie) document->Unadvise(*cookie);
}

void DockControl::ReleaseDockContainer() {
  auto container = std::move(dockContainer_.source);
  auto cookie = dockContainer_.cookie;
  dockContainer_ = {};
  if (container && cookie) container->Unadvise(*cookie);
}

// The connection points deliver here; each event goes to its handler.
void DockControl::BeginDocClose(automation::VBool& cancel) { DocEvents_BeginDocClose(cancel); }
void DockControl::EndCommand(const std::string& commandName) { DocEvents_EndCommand(commandName); }
void DockControl::OnDocumentActivated(const host::DocumentRef& document) {
  dockContainer_OnDocumentActivated(document);
}
void DockControl::AreaMeasured(double m, const std::string& t, const std::string& f) {
  vnvEvents_AreaMeasured(m, t, f);
}
void DockControl::BearingMeasured(double m, const std::string& t, const std::string& f) {
  vnvEvents_BearingMeasured(m, t, f);
}
void DockControl::DistanceMeasured(double m, const std::string& t, const std::string& f) {
  vnvEvents_DistanceMeasured(m, t, f);
}
void DockControl::ElevationMeasured(double m, const std::string& t, const std::string& f) {
  vnvEvents_ElevationMeasured(m, t, f);
}
void DockControl::HeightMeasured(double m, const std::string& t, const std::string& f) {
  vnvEvents_HeightMeasured(m, t, f);
}
void DockControl::LocationXMeasured(double m, const std::string& t, const std::string& f) {
  vnvEvents_LocationXMeasured(m, t, f);
}
void DockControl::LocationYMeasured(double m, const std::string& t, const std::string& f) {
  vnvEvents_LocationYMeasured(m, t, f);
}
void DockControl::LayoutChanged(const std::string& layout) { vnvEvents_LayoutChanged(layout); }
void DockControl::ModeChanged(const std::string& mode, int32_t viewIndex) {
  vnvEvents_ModeChanged(mode, viewIndex);
}
void DockControl::OverlaysPermissionChanged(automation::VBool accept) {
  vnvEvents_OverlaysPermissionChanged(accept);
}
void DockControl::SelectedPointChanged(double x, double y) {
  vnvEvents_SelectedPointChanged(x, y);
}
void DockControl::ReloadOverlaysClicked() { vnvEvents_ReloadOverlaysClicked(); }
void DockControl::ObliqueLoaded(const std::string& id, int32_t width, int32_t height, double ulx,
                                double uly, double urx, double ury, double llx, double lly,
                                double lrx, double lry, int32_t viewIndex) {
  vnvEvents_ObliqueLoaded(id, width, height, ulx, uly, urx, ury, llx, lly, lrx, lry, viewIndex);
}
void DockControl::ExtentChanged(double ulx, double uly, double urx, double ury, double llx,
                                double lly, double lrx, double lry, double x, double y,
                                int32_t viewIndex) {
  vnvEvents_ExtentChanged(ulx, uly, urx, ury, llx, lly, lrx, lry, x, y, viewIndex);
}

}  // namespace nimbo::shell
