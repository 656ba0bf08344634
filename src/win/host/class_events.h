// The events an outside object raises, found as a late-bound client finds them: the
// default source interface of the object's coclass (IProvideClassInfo), the DISPID of
// each event by its name in that interface's type information, and the connection point
// for it. The outside part's type library is its own, never ours to ship.
#pragma once

#include <windows.h>

#include <ocidl.h>

#include <map>
#include <span>
#include <string>
#include <string_view>

#include "win/com/com_ptr.h"
#include "win/com/table_dispatch.h"

namespace nimbo::win::host {

struct ClassEvents {
  IID eventInterface{};
  // The DISPID of each event asked for that the interface declares; one it does not
  // declare can never arrive and is left out.
  std::map<std::string, DISPID, std::less<>> ids;
  com::ComPtr<IConnectionPoint> point;
};

// An object that describes no events is error 459.
ClassEvents FindClassEvents(IDispatch* object, std::span<const std::string_view> eventNames);

// The sinks of ours bound to outside connection points for one client, each unbound and
// disconnected when it is unbound or when the bindings go.
class EventBindings {
 public:
  EventBindings() = default;
  ~EventBindings();
  EventBindings(const EventBindings&) = delete;
  EventBindings& operator=(const EventBindings&) = delete;

  // Advises `sink` on `point`; answers the cookie. A refused Advise raises its error.
  int32_t Bind(IConnectionPoint* point, com::ComPtr<com::TableDispatch> sink);
  // An unknown cookie is an invalid call (5). No event reaches the sink afterwards.
  void Unbind(int32_t cookie);

 private:
  struct Binding {
    com::ComPtr<IConnectionPoint> point;
    com::ComPtr<com::TableDispatch> sink;
    DWORD cookie = 0;
  };
  std::map<int32_t, Binding> bindings_;
};

// A failed HRESULT of a call made to find or use an event source, as the core's error,
// with the error information that `object` sets for `calledInterface`.
void CheckConnection(HRESULT result, IUnknown* object, REFIID calledInterface = IID_NULL);

}  // namespace nimbo::win::host
