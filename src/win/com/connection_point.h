// The one connection point of an event source: the sinks that clients advised, and the
// firing of an event into each, as a late-bound call by DISPID on the sink's IDispatch.
// Firing visits the sinks advised when it started; one unadvised meanwhile (by itself,
// by another sink, by a nested event) is skipped, one advised meanwhile waits for the
// next event, as the embedded default's connection points behave.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>  // CONNECT_E_*

#include <functional>
#include <map>
#include <span>

#include "automation/variant.h"
#include "win/com/com_object.h"
#include "win/com/com_ptr.h"

namespace nimbo::win::com {

// What an owner that relays each sink to a connection of its own is told: `advised` runs
// once the sink is in (what it throws refuses the Advise, with the error's HRESULT and
// IErrorInfo), `unadvised` once it is out (what it throws is reported the same way, the
// sink gone all the same). Either may be empty. DropAll tells neither.
struct ConnectionHooks {
  std::function<void(DWORD cookie)> advised;
  std::function<void(DWORD cookie)> unadvised;
};

// A refused Advise or Unadvise leaves its error information for the caller, so the point
// vouches for it (ISupportErrorInfo).
class ConnectionPoint final : public ComObject<IConnectionPoint>, public ISupportErrorInfo {
 public:
  // `container` is borrowed: it owns the point and calls DetachContainer before it goes.
  static ComPtr<ConnectionPoint> Create(REFIID eventInterface, IConnectionPointContainer* container,
                                        ConnectionHooks hooks = {});

  void DetachContainer() { container_ = nullptr; }
  // Releases every sink, as a source that shuts down does; cookies are not reused.
  void DropAll() { sinks_.clear(); }
  size_t Count() const { return sinks_.size(); }
  const IID& EventInterface() const { return eventInterface_; }

  // Arguments in call order, by value. A sink that fails ends the event: its error is
  // raised to the caller (AutomationError) and the sinks after it are not called.
  // A by-reference argument refers to the caller's variable: what the sink writes into
  // it is there when Fire returns.
  void Fire(DISPID id, std::span<const automation::Variant> arguments);
  // The same into the one sink of `cookie`; none (unadvised meanwhile) is no call.
  void FireAt(DWORD cookie, DISPID id, std::span<const automation::Variant> arguments);

  // IUnknown, for both interfaces.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ComObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return ComObject::Release(); }
  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
    return iid == IID_IConnectionPoint ? S_OK : S_FALSE;
  }

  // IConnectionPoint. A sink is held through the event interface when it answers it,
  // otherwise through IDispatch: an event interface is a dispinterface.
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* out) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

 private:
  ConnectionPoint(REFIID eventInterface, IConnectionPointContainer* container,
                  ConnectionHooks hooks)
      : eventInterface_(eventInterface), container_(container), hooks_(std::move(hooks)) {}

  struct Sink {
    ComPtr<IUnknown> unknown;  // as advised, for EnumConnections
    ComPtr<IDispatch> dispatch;
  };

  IID eventInterface_;
  IConnectionPointContainer* container_;  // borrowed, see Create; null once detached
  std::map<DWORD, Sink> sinks_;           // by cookie, in Advise order
  ConnectionHooks hooks_;
  DWORD nextCookie_ = 1;
};

}  // namespace nimbo::win::com
