#include "win/host/com_dock_container.h"

#include <array>
#include <string_view>
#include <utility>

#include "automation/error.h"
#include "win/com/error_from_call.h"
#include "win/host/com_cad_document.h"

namespace nimbo::win::host {

namespace errors = automation::errors;

namespace {

// IUnknown's three members and IDispatch's four come first in the vtable.
constexpr size_t kStandardDispatchMembers = 7;
constexpr size_t kMember8Slot = kStandardDispatchMembers + 8 - 1;

using Member8Function = HRESULT(STDMETHODCALLTYPE*)(IDispatch* self, LONG value);

constexpr std::array<std::string_view, 1> kContainerEvents = {"OnDocumentActivated"};

com::ComPtr<com::TableDispatch> MakeContainerEventSink(const ClassEvents& events,
                                                       nimbo::host::DockContainerEvents& sink) {
  com::DispatchDescription description;
  description.interfaceId = events.eventInterface;
  if (auto id = events.ids.find("OnDocumentActivated"); id != events.ids.end()) {
    description.members.push_back(
        {"OnDocumentActivated", id->second, [&sink](std::span<Variant> arguments) {
           if (arguments.size() != 1) throw errors::Standard(errors::kTypeMismatch);
           sink.OnDocumentActivated(Adapt<ComDocument>(arguments[0]));
           return Variant();
         }});
  }
  return com::TableDispatch::Create(std::move(description));
}

}  // namespace

ComDockContainer::ComDockContainer(com::ComPtr<IUnknown> container) {
  if (container) {
    container->QueryInterface(kDockContainerInterface, container_.PutVoid());
  }
  if (!container_) throw errors::Standard(errors::kTypeMismatch);
}

void ComDockContainer::Member8(int32_t value) {
  auto** vtable = *reinterpret_cast<void***>(container_.Get());
  auto member = reinterpret_cast<Member8Function>(vtable[kMember8Slot]);
  com::ComPtr<IDispatch> keep = container_;
  const HRESULT result = member(keep.Get(), value);
  if (FAILED(result)) {
    throw com::ErrorFromFailedCall(result, nullptr, keep.Get(), kDockContainerInterface);
  }
}

int32_t ComDockContainer::Advise(nimbo::host::DockContainerEvents* sink) {
  if (sink == nullptr) throw errors::Standard(errors::kInvalidCall);
  if (!events_) events_ = FindClassEvents(container_.Get(), kContainerEvents);
  return bindings_.Bind(events_->point.Get(), MakeContainerEventSink(*events_, *sink));
}

void ComDockContainer::Unadvise(int32_t cookie) {
  bindings_.Unbind(cookie);
}

}  // namespace nimbo::win::host
