#include "replay/outside_parts.h"

#include <windows.h>

#include <objbase.h>

#include <memory>

#include "automation/error.h"
#include "replay/outside/windows/control_in_palette.h"
#include "win/host/com_running_objects.h"
#include "win/host/com_viewer_control.h"
#include "win/standins/cad_objects.h"
#include "win/standins/cad_standin.h"
#include "win/standins/viewer_standin.h"

namespace nimbo::replay {

namespace {

// COM for this thread as long as the parts live (nested with any other initialisation).
class Apartment {
 public:
  Apartment() {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
      throw automation::AutomationError(-2147467259, "COM could not be initialised");
    }
  }
  ~Apartment() { CoUninitialize(); }
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;
};

// The platform's lookup fails where the embedded one would: the fault plan is asked
// first, under the same name, then the running-object table.
class CheckedRunningObjects final : public host::RunningObjects {
 public:
  explicit CheckedRunningObjects(standalone::FaultPlan& faults) : faults_(faults) {}
  automation::ObjectRef GetActiveObject(const std::string& progId) override {
    faults_.Check("drawing.RunningObjects.GetActiveObject");
    return lookup_.GetActiveObject(progId);
  }

 private:
  standalone::FaultPlan& faults_;  // borrowed from the world
  win::host::ComRunningObjects lookup_;
};

class ComOutsideParts final : public OutsideParts {
 public:
  explicit ComOutsideParts(standalone::EmbeddedDefault& world)
      : viewerStandin_(world.viewer),
        // Not running: nothing in the running-object table, so the lookup finds nothing.
        cadStandin_(world.runningObjects.Running()
                        ? std::make_unique<win::standins::CadStandin>(world.application)
                        : nullptr),
        viewer_(win::host::ComViewerControl::Create()),
        runningObjects_(world.faults) {}

  ~ComOutsideParts() override {
    if (documents_) documents_->Shutdown();
  }

  host::ViewerControl* Viewer() override { return viewer_.get(); }
  host::RunningObjects* RunningObjects() override { return &runningObjects_; }

  std::unique_ptr<HostedControl> HostControl(standalone::EmbeddedDefault& world) override {
    ControlInPalette::DocumentObject documentObject;
    if (cadStandin_) {
      documentObject = [cad = cadStandin_.get()](const host::DocumentRef& document) {
        return cad->DocumentObject(document);
      };
    } else {
      // Drawings without a running application to find them by: the container still
      // hands them to the control.
      documents_ = win::standins::CadObjects::Create();
      documentObject = [objects = documents_.get()](const host::DocumentRef& document) {
        return objects->Document(document);
      };
    }
    return std::make_unique<ControlInPalette>(world, runningObjects_, std::move(documentObject));
  }

 private:
  // Declared so that the adapters go before the stand-ins they call.
  Apartment apartment_;
  win::standins::ViewerStandin viewerStandin_;
  std::unique_ptr<win::standins::CadStandin> cadStandin_;
  std::shared_ptr<win::standins::CadObjects> documents_;  // only without the application
  std::unique_ptr<win::host::ComViewerControl> viewer_;
  CheckedRunningObjects runningObjects_;
};

}  // namespace

std::unique_ptr<OutsideParts> ReachOutsideParts(standalone::EmbeddedDefault& world) {
  return std::make_unique<ComOutsideParts>(world);
}

}  // namespace nimbo::replay
