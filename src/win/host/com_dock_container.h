// The dock container over COM, as the container hands itself to the control: an object
// of the container interface {306FE413-9210-486D-BC8C-75B4B62EA68C}, whose eighth member
// after the standard dispatch members is called through the interface's vtable (it has no
// name the control could know), and whose OnDocumentActivated event arrives through its
// connection point, found through its class information.
#pragma once

#include <windows.h>

#include <optional>

#include "host/dock_container.h"
#include "win/com/com_ptr.h"
#include "win/com/dispatch_object.h"
#include "win/com/table_dispatch.h"
#include "win/host/class_events.h"

namespace nimbo::win::host {

// {306FE413-9210-486D-BC8C-75B4B62EA68C}
inline constexpr IID kDockContainerInterface = {
    0x306FE413, 0x9210, 0x486D, {0xBC, 0x8C, 0x75, 0xB4, 0xB6, 0x2E, 0xA6, 0x8C}};

class ComDockContainer final : public nimbo::host::DockContainer, public com::HoldsDispatch {
 public:
  // An object without the container interface is a type mismatch (13).
  explicit ComDockContainer(com::ComPtr<IUnknown> container);
  ComDockContainer(const ComDockContainer&) = delete;
  ComDockContainer& operator=(const ComDockContainer&) = delete;

  IDispatch* Dispatch() const override { return container_.Get(); }

  void Member8(int32_t value) override;
  // A container without class information for its events is error 459.
  int32_t Advise(nimbo::host::DockContainerEvents* sink) override;
  // An unknown cookie is an invalid call (5).
  void Unadvise(int32_t cookie) override;

 private:
  com::ComPtr<IDispatch> container_;   // the container interface, a dual one
  std::optional<ClassEvents> events_;  // found at the first Advise
  EventBindings bindings_;
};

}  // namespace nimbo::win::host
