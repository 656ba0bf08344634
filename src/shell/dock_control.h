// DockControl {50310698-626E-47DA-A73F-E834B9D675BD}: the library's one user control.
// It owns the control's state, its connections to the viewer, the drawing and the dock
// container, and every entry point. The handlers' work lives in sync/, measure/ and
// overlay/; this class orders it and applies the error rules at the boundary.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/error_rules.h"
#include "control/control_state.h"
#include "host/cad.h"
#include "host/dock_container.h"
#include "host/platform.h"
#include "host/viewer.h"
#include "host/viewer_events.h"
#include "sync/dock_control_interface.h"

namespace nimbo::shell {

inline constexpr const char* kClientTitle = "VeskNIMBO plug-in for Autodesk Map 2007/08/09";
inline constexpr const char* kClientVersion = "2.5.2";
// The library's name: the caption of message boxes shown without a title.
inline constexpr const char* kLibraryName = "VeskNimboDock17";
// The eighth member's argument (bits 0x1000 and 0x4000), the dock container's business.
inline constexpr int32_t kDockContainerStyle = 20480;

class DockControl : public sync::DockControlInterface,
                    private host::ViewerEvents,
                    private host::DocumentEvents,
                    private host::DockContainerEvents {
 public:
  // The environment is borrowed for the control's lifetime.
  explicit DockControl(host::ControlEnvironment environment);
  ~DockControl() override;
  DockControl(const DockControl&) = delete;
  DockControl& operator=(const DockControl&) = delete;

  // Lifecycle; no trap except Show's own rule: a failure goes back to the caller.
  void UserControl_Show();
  void UserControl_Resize(double width, double height);
  void UserControl_Terminate();
  void IRetrieveDockableContainer_SetDockContainer(const host::DockContainerRef& newVal);
  void dockContainer_OnDocumentActivated(const host::DocumentRef& pDocument);
  void DocEvents_BeginDocClose(automation::VBool& Cancel);

  // Drawing and button.
  void DocEvents_EndCommand(const std::string& CommandName);
  void Command1_Click();

  // _DockControl.
  host::DocumentRef DocEvents() override;
  void SetDocEvents(host::DocumentRef& document) override;
  void AddLayer(std::string& layername) override;
  host::LayerRef FindLayer(std::string& layername) override;
  void DeleteAll(std::string& layername) override;
  void DeleteLayer(std::string& layername) override;

  // The members, for the platform's adapters and for tests.
  control::ControlState& State() { return state_; }
  const control::ControlState& State() const { return state_; }
  bool ViewerEventsBound() const { return vnvEvents_.cookie.has_value(); }
  const host::DockContainerRef& DockContainerMember() const { return dockContainer_.source; }

 private:
  // The handler message rule: any error ends the handler and shows one message box,
  // except for the numbers it keeps silent about; the handler returns normally.
  template <class Body>
  void RunHandler(std::string_view handler, Body&& body,
                  std::initializer_list<int32_t> silentNumbers = {}) {
    auto withSource = [&] {
      try {
        body();
      } catch (...) {
        throw ErrorWithProjectSource();
      }
    };
    if (auto message = automation::TrapForHandler(handler, withSource, silentNumbers)) {
      ShowMessage(*message);
    }
  }
  // The pending error; one the run-time raised without a source names the library, as
  // the platform's run-time does.
  static automation::AutomationError ErrorWithProjectSource();
  void ShowMessage(const std::string& text);

  // host::ViewerEvents: the viewer's connection point delivers every event here, and the
  // event's route calls its handler below. Arguments that do not fit the event are an
  // invalid call (5), an event not in the table is not supported (438); neither reaches
  // a handler.
  void OnViewerEvent(const host::ViewerEvent& event,
                     const std::vector<automation::Variant>& arguments) override;
  friend struct ViewerEventRoutes;  // names the handlers

  // The viewer's event handlers, reached only through their routes.
  void vnvEvents_ExtentChanged(double ULx, double ULy, double URx, double URy, double LLx,
                               double LLy, double LRx, double LRy, double X, double Y,
                               int32_t viewIndex);
  void vnvEvents_SelectedPointChanged(double X, double Y);
  void vnvEvents_ModeChanged(const std::string& mode, int32_t viewIndex);
  void vnvEvents_AreaMeasured(double measure, const std::string& tablename,
                              const std::string& fieldname);
  void vnvEvents_BearingMeasured(double measure, const std::string& tablename,
                                 const std::string& fieldname);
  void vnvEvents_DistanceMeasured(double measure, const std::string& tablename,
                                  const std::string& fieldname);
  void vnvEvents_ElevationMeasured(double measure, const std::string& tablename,
                                   const std::string& fieldname);
  void vnvEvents_HeightMeasured(double measure, const std::string& tablename,
                                const std::string& fieldname);
  void vnvEvents_LocationXMeasured(double measure, const std::string& tablename,
                                   const std::string& fieldname);
  void vnvEvents_LocationYMeasured(double measure, const std::string& tablename,
                                   const std::string& fieldname);
  void vnvEvents_LayoutChanged(const std::string& layout);
  void vnvEvents_ObliqueLoaded(const std::string& id, int32_t width, int32_t height, double ULx,
                               double ULy, double URx, double URy, double LLx, double LLy,
                               double LRx, double LRy, int32_t viewIndex);
  void vnvEvents_OverlaysPermissionChanged(automation::VBool accept);
  void vnvEvents_ReloadOverlaysClicked();

  // The seven measurement handlers' one body: save the value by the chosen method, and
  // tell a failure in one message. The kind of measurement is not passed on.
  void SaveMeasured(std::string_view handler, double measure, const std::string& tablename,
                    const std::string& fieldname);

  // host::DocumentEvents.
  void BeginDocClose(automation::VBool& cancel) override;
  void EndCommand(const std::string& commandName) override;
  // host::DockContainerEvents.
  void OnDocumentActivated(const host::DocumentRef& document) override;

  // An event sink member: the source it is bound to and the connection cookie.
  template <class Source>
  struct Sink {
    Source source{};
    std::optional<int32_t> cookie;
  };
  void BindViewerEvents();
  void ReleaseViewerEvents();
  void BindDocEvents(const host::DocumentRef& document);
  void ReleaseDocEvents();
  void BindDockContainer(const host::DockContainerRef& container);
  void ReleaseDockContainer();

  control::ControlState state_;
  // The three event sinks: vnvEvents, dockContainer, DocEvents.
  Sink<host::ViewerControl*> vnvEvents_;
  Sink<host::DockContainerRef> dockContainer_;
  Sink<host::DocumentRef> docEvents_;
};

}  // namespace nimbo::shell
