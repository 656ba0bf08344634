// The control as the CAD application holds it: its class registered in this process (the
// library's own code, given the session's clock and locale, the world's running-object
// lookup and the world's boxes shown for real), created by that class in a palette of the
// dock container stand-in, sited and activated in place while the palette is still hidden,
// and from then on reached only as a container reaches a control. The palette opens
// before the first step: its first Resize is part of opening it, not of the session.
#pragma once

#include <windows.h>

// First of ours: it takes back windows.h's MessageBox macro before the dialogs' contract.
#include "win/host/win32_dialogs.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/platform.h"
#include "replay/outside_parts.h"
#include "standalone/embedded_default.h"
#include "standalone/viewer/journaled_extender.h"
#include "win/com/com_ptr.h"
#include "win/com/process_classes.h"
#include "win/palette/palette_window.h"
#include "win/person/win32_box_presenter.h"
#include "win/standins/dock_container_standin.h"

namespace nimbo::replay {

class ControlInPalette final : public HostedControl {
 public:
  using DocumentObject = win::standins::DockContainerStandin::DocumentObject;
  // `runningObjects` and `world` are borrowed and must outlive this object.
  ControlInPalette(standalone::EmbeddedDefault& world, host::RunningObjects& runningObjects,
                   DocumentObject documentObject);
  ~ControlInPalette() override;
  ControlInPalette(const ControlInPalette&) = delete;
  ControlInPalette& operator=(const ControlInPalette&) = delete;

  shell::DockControl& Core() override { return *core_; }
  void Show() override;
  void Resize(double width, double height) override;
  void Dock() override;
  void Terminate() override;
  void Click() override;
  bool Call(const std::string& method, std::string& layername) override;

 private:
  win::com::ComPtr<IUnknown> MakeControl();
  HWND ControlWindow() const;

  standalone::EmbeddedDefault& world_;    // borrowed
  host::RunningObjects& runningObjects_;  // borrowed
  win::person::Win32BoxPresenter boxes_;
  std::vector<std::unique_ptr<standalone::JournaledExtender>> extenders_;
  win::com::ComPtr<win::standins::DockContainerStandin> container_;
  std::unique_ptr<win::com::ProcessClass> controlClass_;
  std::unique_ptr<win::palette::Palette> palette_;
  shell::DockControl* core_ = nullptr;  // inside the control
};

}  // namespace nimbo::replay
