#include "win/com/connection_point.h"

#include <new>
#include <vector>

#include "win/com/dispatch_object.h"
#include "win/com/error_to_caller.h"
#include "win/com/snapshot_enumerator.h"

namespace nimbo::win::com {

ComPtr<ConnectionPoint> ConnectionPoint::Create(REFIID eventInterface,
                                                IConnectionPointContainer* container,
                                                ConnectionHooks hooks) {
  return ComPtr<ConnectionPoint>::Adopt(
      new ConnectionPoint(eventInterface, container, std::move(hooks)));
}

void ConnectionPoint::Fire(DISPID id, std::span<const automation::Variant> arguments) {
  std::vector<DWORD> cookies;
  cookies.reserve(sinks_.size());
  for (const auto& [cookie, sink] : sinks_) cookies.push_back(cookie);
  ComPtr<IConnectionPoint> keep(this);  // a sink may drop the source's last reference
  for (DWORD cookie : cookies) {
    auto found = sinks_.find(cookie);
    if (found == sinks_.end()) continue;
    DispatchObject sink(found->second.dispatch);  // shares the sink for the call
    std::vector<automation::Variant> values(arguments.begin(), arguments.end());
    sink.Invoke(id, CallKind::Method, values);
  }
}

void ConnectionPoint::FireAt(DWORD cookie, DISPID id,
                             std::span<const automation::Variant> arguments) {
  auto found = sinks_.find(cookie);
  if (found == sinks_.end()) return;
  ComPtr<IConnectionPoint> keep(this);
  DispatchObject sink(found->second.dispatch);
  std::vector<automation::Variant> values(arguments.begin(), arguments.end());
  sink.Invoke(id, CallKind::Method, values);
}

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** out) {
  if (out != nullptr && iid == IID_ISupportErrorInfo) {
    *out = static_cast<ISupportErrorInfo*>(this);
    AddRef();
    return S_OK;
  }
  return ComObject::QueryInterface(iid, out);
}

HRESULT ConnectionPoint::GetConnectionInterface(IID* out) {
  if (out == nullptr) return E_POINTER;
  *out = eventInterface_;
  return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
  if (out == nullptr) return E_POINTER;
  *out = container_;
  if (container_ == nullptr) return E_UNEXPECTED;  // the source has gone
  container_->AddRef();
  return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (cookie != nullptr) *cookie = 0;
  if (sink == nullptr || cookie == nullptr) return E_POINTER;
  try {
    ComPtr<IUnknown> unknown(sink);
    ComPtr<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(eventInterface_, dispatch.PutVoid()))) {
      dispatch = unknown.As<IDispatch>();
    }
    if (!dispatch) return CONNECT_E_CANNOTCONNECT;
    const DWORD given = nextCookie_++;
    sinks_.emplace(given, Sink{std::move(unknown), std::move(dispatch)});
    if (hooks_.advised) {
      HRESULT refused = GuardCall(nullptr, eventInterface_, [&] {
        hooks_.advised(given);
        return S_OK;
      });
      if (FAILED(refused)) {
        sinks_.erase(given);
        return refused;
      }
    }
    *cookie = given;
    return S_OK;
  } catch (const std::bad_alloc&) {
    *cookie = 0;
    return E_OUTOFMEMORY;
  }
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) {
  auto found = sinks_.find(cookie);
  if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
  Sink released = std::move(found->second);  // released after the entry is gone
  sinks_.erase(found);
  if (!hooks_.unadvised) return S_OK;
  return GuardCall(nullptr, eventInterface_, [&] {
    hooks_.unadvised(cookie);
    return S_OK;
  });
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  try {
    std::vector<CONNECTDATA> connections;
    connections.reserve(sinks_.size());
    for (const auto& [cookie, sink] : sinks_) connections.push_back({sink.unknown.Get(), cookie});
    *out =
        SnapshotEnumerator<IEnumConnections, CONNECTDATA>::Create(std::move(connections)).Detach();
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

}  // namespace nimbo::win::com
