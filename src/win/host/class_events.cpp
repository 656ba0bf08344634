#include "win/host/class_events.h"

#include "automation/error.h"
#include "win/com/error_from_call.h"
#include "win/com/utf16.h"

namespace nimbo::win::host {

namespace {

[[noreturn]] void NoEvents() {
  throw automation::AutomationError(459, "Object or class does not support the set of events");
}

// The coclass's default source interface.
com::ComPtr<ITypeInfo> DefaultSource(ITypeInfo* coclass) {
  TYPEATTR* attributes = nullptr;
  CheckConnection(coclass->GetTypeAttr(&attributes), nullptr);
  const WORD count = attributes->cImplTypes;
  coclass->ReleaseTypeAttr(attributes);
  for (UINT i = 0; i < count; ++i) {
    INT flags = 0;
    if (FAILED(coclass->GetImplTypeFlags(i, &flags))) continue;
    if ((flags & (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) !=
        (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE)) {
      continue;
    }
    HREFTYPE reference = 0;
    com::ComPtr<ITypeInfo> source;
    CheckConnection(coclass->GetRefTypeOfImplType(i, &reference), nullptr);
    CheckConnection(coclass->GetRefTypeInfo(reference, source.Put()), nullptr);
    return source;
  }
  NoEvents();
}

}  // namespace

void CheckConnection(HRESULT result, IUnknown* object, REFIID calledInterface) {
  if (FAILED(result)) throw com::ErrorFromFailedCall(result, nullptr, object, calledInterface);
}

ClassEvents FindClassEvents(IDispatch* object, std::span<const std::string_view> eventNames) {
  com::ComPtr<IDispatch> outside(object);
  com::ComPtr<IProvideClassInfo> provider = outside.As<IProvideClassInfo>();
  if (!provider) NoEvents();
  com::ComPtr<ITypeInfo> coclass;
  CheckConnection(provider->GetClassInfo(coclass.Put()), provider.Get());
  com::ComPtr<ITypeInfo> source = DefaultSource(coclass.Get());

  ClassEvents found;
  TYPEATTR* attributes = nullptr;
  CheckConnection(source->GetTypeAttr(&attributes), nullptr);
  found.eventInterface = attributes->guid;
  source->ReleaseTypeAttr(attributes);
  for (std::string_view eventName : eventNames) {
    std::wstring name = com::Utf16FromUtf8(eventName);
    LPOLESTR names[] = {name.data()};
    MEMBERID id = MEMBERID_NIL;
    if (SUCCEEDED(source->GetIDsOfNames(names, 1, &id))) found.ids.emplace(eventName, id);
  }

  com::ComPtr<IConnectionPointContainer> container = outside.As<IConnectionPointContainer>();
  if (!container) NoEvents();
  CheckConnection(container->FindConnectionPoint(found.eventInterface, found.point.Put()),
                  container.Get());
  return found;
}

EventBindings::~EventBindings() {
  for (auto& [cookie, binding] : bindings_) {
    binding.point->Unadvise(binding.cookie);
    binding.sink->Disconnect();
  }
}

int32_t EventBindings::Bind(IConnectionPoint* point, com::ComPtr<com::TableDispatch> sink) {
  Binding binding{com::ComPtr<IConnectionPoint>(point), std::move(sink), 0};
  com::ComPtr<IUnknown> unknown(static_cast<IDispatch*>(binding.sink.Get()));
  const HRESULT result = point->Advise(unknown.Get(), &binding.cookie);
  if (FAILED(result)) {
    binding.sink->Disconnect();
    CheckConnection(result, point, IID_IConnectionPoint);
  }
  const auto cookie = static_cast<int32_t>(binding.cookie);
  bindings_[cookie] = std::move(binding);
  return cookie;
}

void EventBindings::Unbind(int32_t cookie) {
  auto found = bindings_.find(cookie);
  if (found == bindings_.end()) {
    throw automation::errors::Standard(automation::errors::kInvalidCall);
  }
  Binding binding = std::move(found->second);
  bindings_.erase(found);
  binding.sink->Disconnect();  // no event reaches the sink from here on
  CheckConnection(binding.point->Unadvise(binding.cookie), binding.point.Get(),
                  IID_IConnectionPoint);
}

}  // namespace nimbo::win::host
