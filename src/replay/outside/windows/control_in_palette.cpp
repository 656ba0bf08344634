#include "replay/outside/windows/control_in_palette.h"

#include <cmath>
#include <sstream>
#include <stdexcept>

#include "automation/error.h"
#include "sync/dock_control_members.h"
#include "win/com/dispatch_object.h"
#include "win/com/error_from_call.h"
#include "win/com/table_dispatch.h"
#include "win/control/control_identity.h"
#include "win/control/dock_control_factory.h"
#include "win/control/dock_control_object.h"
#include "win/control/twips.h"
#include "win/server/public_object.h"

namespace nimbo::replay {

namespace {

// A size no session asks for, so that the session's first resize is always one.
constexpr int kOpeningSize = 97;

template <class T>
std::shared_ptr<T> Borrowed(T& part) {
  return std::shared_ptr<T>(std::shared_ptr<void>(), &part);
}

// _DockControl answered from the core's member table, as the library answers it.
win::com::ComPtr<IDispatch> DockControlDispatch(shell::DockControl& core) {
  win::com::DispatchDescription description;
  description.interfaceId = win::control::kDockControlInterface;
  description.members = win::server::DispatchMembersOf(
      sync::DockControlMembers(), Borrowed<sync::DockControlInterface>(core), "DockControl");
  win::com::ComPtr<win::com::TableDispatch> dispatch =
      win::com::TableDispatch::Create(std::move(description));
  return win::com::ComPtr<IDispatch>(static_cast<IDispatch*>(dispatch.Get()));
}

void Check(HRESULT result, IUnknown* object, REFIID iid) {
  if (FAILED(result)) throw win::com::ErrorFromFailedCall(result, nullptr, object, iid);
}

}  // namespace

ControlInPalette::ControlInPalette(standalone::EmbeddedDefault& world,
                                   host::RunningObjects& runningObjects,
                                   DocumentObject documentObject)
    : world_(world), runningObjects_(runningObjects), boxes_(shell::kLibraryName) {
  world_.dialogs.PresentThrough(&boxes_);
  container_ =
      win::standins::DockContainerStandin::Create(world_.container, std::move(documentObject));
  controlClass_ = std::make_unique<win::com::ProcessClass>(
      win::control::kDockControlClass, std::string(shell::kLibraryName) + ".DockControl",
      [this] { return MakeControl(); });
  palette_ = std::make_unique<win::palette::Palette>(win::control::kDockControlClass, kOpeningSize,
                                                     kOpeningSize, true);
  win::control::DockControlObject* object =
      win::control::DockControlObject::Of(palette_->Control());
  if (object == nullptr) throw std::runtime_error("the palette holds no control of this process");
  core_ = &object->Core();
  for (auto& extender : extenders_) extender->StartJournal();
}

ControlInPalette::~ControlInPalette() {
  automation::TrapSilently([&] { palette_.reset(); });
  controlClass_.reset();
  if (container_) container_->Shutdown();
  world_.dialogs.PresentThrough(nullptr);
}

win::com::ComPtr<IUnknown> ControlInPalette::MakeControl() {
  win::control::DockControlParts parts;
  parts.runningObjects = Borrowed(runningObjects_);
  parts.dialogs = Borrowed<host::Dialogs>(world_.dialogs);
  parts.locale = world_.locale;
  parts.clock = world_.clock.get();
  parts.makeDispatch = DockControlDispatch;
  parts.childExtender = [this](const char* child, host::ExtenderProperties& own) {
    extenders_.push_back(
        std::make_unique<standalone::JournaledExtender>(child, own, world_.journal));
    return extenders_.back().get();
  };
  return win::control::CreateDockControl(std::move(parts));
}

HWND ControlInPalette::ControlWindow() const {
  win::control::DockControlObject* object =
      win::control::DockControlObject::Of(palette_->Control());
  return object != nullptr ? object->Window() : nullptr;
}

void ControlInPalette::Show() {
  auto ole = win::com::ComPtr<IUnknown>(palette_->Control()).As<IOleObject>();
  IOleClientSite* site = static_cast<IOleClientSite*>(palette_->Site());
  // Shown already: out of sight first, so that it comes into sight again.
  HWND window = ControlWindow();
  if (window != nullptr && IsWindowVisible(window)) {
    Check(ole->DoVerb(OLEIVERB_HIDE, nullptr, site, 0, palette_->Window(), nullptr), ole.Get(),
          IID_IOleObject);
  }
  palette_->Show();
  Check(ole->DoVerb(OLEIVERB_SHOW, nullptr, site, 0, palette_->Window(), nullptr), ole.Get(),
        IID_IOleObject);
}

void ControlInPalette::Resize(double width, double height) {
  const win::control::PixelsPerInch dpi = win::control::ScreenPixelsPerInch();
  const double pixelsWide = width * dpi.x / 1440.0;
  const double pixelsHigh = height * dpi.y / 1440.0;
  if (pixelsWide != std::floor(pixelsWide) || pixelsHigh != std::floor(pixelsHigh) ||
      pixelsWide < 0 || pixelsHigh < 0) {
    std::ostringstream message;
    message << "a palette is a whole number of pixels: " << width << " by " << height
            << " twips is not, at " << dpi.x << " pixels an inch";
    throw UnplayableStep(message.str());
  }
  palette_->ResizeClient(static_cast<int>(pixelsWide), static_cast<int>(pixelsHigh));
}

void ControlInPalette::Dock() {
  win::com::ComPtr<win::control::IRetrieveDockableContainer> retrieval;
  Check(palette_->Control()->QueryInterface(win::control::kRetrieveDockableContainer,
                                            retrieval.PutVoid()),
        palette_->Control(), IID_NULL);
  Check(retrieval->SetDockContainer(static_cast<IStandinDockContainer*>(container_.Get())),
        retrieval.Get(), win::control::kRetrieveDockableContainer);
}

void ControlInPalette::Terminate() {
  auto ole = win::com::ComPtr<IUnknown>(palette_->Control()).As<IOleObject>();
  Check(ole->Close(OLECLOSE_NOSAVE), ole.Get(), IID_IOleObject);
}

void ControlInPalette::Click() {
  win::control::DockControlObject* object =
      win::control::DockControlObject::Of(palette_->Control());
  HWND button = object != nullptr ? object->Button().Window() : nullptr;
  if (button == nullptr) throw automation::errors::Standard(automation::errors::kObjectNotSet);
  SendMessageW(button, BM_CLICK, 0, 0);
}

bool ControlInPalette::Call(const std::string& method, std::string& layername) {
  win::com::DispatchObject control(win::com::ComPtr<IUnknown>(palette_->Control()).As<IDispatch>());
  const automation::Variant result = control.Call(method, {automation::Variant::Ref(layername)});
  return result.Type() == automation::VarType::Object && result.AsObject() != nullptr;
}

}  // namespace nimbo::replay
