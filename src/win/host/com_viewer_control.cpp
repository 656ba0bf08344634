#include "win/host/com_viewer_control.h"

#include <utility>

#include "automation/error.h"
#include "win/com/bstr.h"
#include "win/com/error_from_call.h"
#include "win/com/process_classes.h"
#include "win/com/utf16.h"
#include "win/host/viewer_event_sink.h"

namespace nimbo::win::host {

using automation::Variant;
namespace errors = automation::errors;

namespace {

[[noreturn]] void NoEvents() {
  throw automation::AutomationError(459, "Object or class does not support the set of events");
}

void Check(HRESULT result, IUnknown* object) {
  if (FAILED(result)) throw com::ErrorFromFailedCall(result, nullptr, object, IID_NULL);
}

// The coclass's default source interface.
com::ComPtr<ITypeInfo> DefaultSource(ITypeInfo* coclass) {
  TYPEATTR* attributes = nullptr;
  Check(coclass->GetTypeAttr(&attributes), nullptr);
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
    Check(coclass->GetRefTypeOfImplType(i, &reference), nullptr);
    Check(coclass->GetRefTypeInfo(reference, source.Put()), nullptr);
    return source;
  }
  NoEvents();
}

}  // namespace

std::unique_ptr<ComViewerControl> ComViewerControl::Create(std::string_view progId) {
  return std::make_unique<ComViewerControl>(com::CreateObject(progId));
}

ComViewerControl::ComViewerControl(com::ComPtr<IDispatch> viewer) : viewer_(std::move(viewer)) {}

ComViewerControl::~ComViewerControl() {
  for (auto& [cookie, binding] : bindings_) {
    if (events_ && events_->point) events_->point->Unadvise(binding.cookie);
    binding.sink->Disconnect();
  }
}

Variant ComViewerControl::Call(int32_t dispid, std::span<Variant> arguments) {
  return viewer_.Invoke(dispid, com::CallKind::Method, arguments);
}

const ComViewerControl::EventSource& ComViewerControl::Events() {
  if (events_) return *events_;
  com::ComPtr<IProvideClassInfo> provider =
      com::ComPtr<IDispatch>(viewer_.Dispatch()).As<IProvideClassInfo>();
  if (!provider) NoEvents();
  com::ComPtr<ITypeInfo> coclass;
  Check(provider->GetClassInfo(coclass.Put()), provider.Get());
  com::ComPtr<ITypeInfo> source = DefaultSource(coclass.Get());

  EventSource found;
  TYPEATTR* attributes = nullptr;
  Check(source->GetTypeAttr(&attributes), nullptr);
  found.eventInterface = attributes->guid;
  source->ReleaseTypeAttr(attributes);
  for (const nimbo::host::ViewerEvent& event : nimbo::host::kViewerEvents) {
    std::wstring name = com::Utf16FromUtf8(event.name);
    LPOLESTR names[] = {name.data()};
    MEMBERID id = MEMBERID_NIL;
    // An event that the viewer does not declare can never arrive; it is left out.
    if (SUCCEEDED(source->GetIDsOfNames(names, 1, &id))) found.events.emplace(id, &event);
  }

  com::ComPtr<IConnectionPointContainer> container =
      com::ComPtr<IDispatch>(viewer_.Dispatch()).As<IConnectionPointContainer>();
  if (!container) NoEvents();
  Check(container->FindConnectionPoint(found.eventInterface, found.point.Put()), container.Get());
  events_ = std::move(found);
  return *events_;
}

int32_t ComViewerControl::Advise(nimbo::host::ViewerEvents* sink) {
  if (sink == nullptr) throw errors::Standard(errors::kInvalidCall);
  const EventSource& source = Events();
  Binding binding{MakeViewerEventSink(source.eventInterface, source.events, *sink), 0};
  com::ComPtr<IUnknown> unknown(static_cast<IDispatch*>(binding.sink.Get()));
  HRESULT result = source.point->Advise(unknown.Get(), &binding.cookie);
  if (FAILED(result)) {
    binding.sink->Disconnect();
    Check(result, source.point.Get());
  }
  const auto cookie = static_cast<int32_t>(binding.cookie);
  bindings_[cookie] = std::move(binding);
  return cookie;
}

void ComViewerControl::Unadvise(int32_t cookie) {
  auto found = bindings_.find(cookie);
  if (found == bindings_.end()) throw errors::Standard(errors::kInvalidCall);
  Binding binding = std::move(found->second);
  bindings_.erase(found);
  binding.sink->Disconnect();  // no event reaches the sink from here on
  Check(events_->point->Unadvise(binding.cookie), events_->point.Get());
}

}  // namespace nimbo::win::host
