#include "win/host/com_cad_document.h"

#include <array>
#include <string_view>
#include <utility>

#include "automation/convert.h"
#include "host/map.h"
#include "win/host/com_cad_collections.h"
#include "win/host/com_map.h"

namespace nimbo::win::host {

namespace errors = automation::errors;

namespace {

constexpr std::array<std::string_view, 2> kDocumentEvents = {"BeginDocClose", "EndCommand"};

// The sink object of one bound host::DocumentEvents: BeginDocClose's Cancel comes by
// reference and goes back with what the sink made of it.
com::ComPtr<com::TableDispatch> MakeDocumentEventSink(const ClassEvents& events,
                                                      nimbo::host::DocumentEvents& sink) {
  com::DispatchDescription description;
  description.interfaceId = events.eventInterface;
  if (auto id = events.ids.find("BeginDocClose"); id != events.ids.end()) {
    description.members.push_back(
        {"BeginDocClose", id->second, [&sink](std::span<Variant> arguments) {
           if (arguments.size() != 1) throw errors::Standard(errors::kTypeMismatch);
           automation::VBool cancel = automation::VBool::From(automation::ToBoolean(arguments[0]));
           sink.BeginDocClose(cancel);
           arguments[0].Assign(Variant(cancel));
           return Variant();
         }});
  }
  if (auto id = events.ids.find("EndCommand"); id != events.ids.end()) {
    description.members.push_back({"EndCommand", id->second, [&sink](std::span<Variant> arguments) {
                                     if (arguments.size() != 1)
                                       throw errors::Standard(errors::kTypeMismatch);
                                     sink.EndCommand(automation::ToString(arguments[0]));
                                     return Variant();
                                   }});
  }
  return com::TableDispatch::Create(std::move(description));
}

}  // namespace

std::shared_ptr<nimbo::host::Application> ComDocument::Application() {
  return Adapt<ComApplication>(Get("Application"));
}
std::shared_ptr<nimbo::host::EntityCollection> ComDocument::ModelSpace() {
  return Adapt<ComEntityCollection>(Get("ModelSpace"));
}
std::shared_ptr<nimbo::host::EntityCollection> ComDocument::PaperSpace() {
  return Adapt<ComEntityCollection>(Get("PaperSpace"));
}
std::shared_ptr<nimbo::host::Layers> ComDocument::Layers() {
  return Adapt<ComLayers>(Get("Layers"));
}
std::shared_ptr<nimbo::host::Blocks> ComDocument::Blocks() {
  return Adapt<ComBlocks>(Get("Blocks"));
}
std::shared_ptr<nimbo::host::SelectionSets> ComDocument::SelectionSets() {
  return Adapt<ComSelectionSets>(Get("SelectionSets"));
}
std::shared_ptr<nimbo::host::Utility> ComDocument::Utility() {
  return Adapt<ComUtility>(Get("Utility"));
}

int32_t ComDocument::Advise(nimbo::host::DocumentEvents* sink) {
  if (sink == nullptr) throw errors::Standard(errors::kInvalidCall);
  if (!events_) events_ = FindClassEvents(Dispatch(), kDocumentEvents);
  return bindings_.Bind(events_->point.Get(), MakeDocumentEventSink(*events_, *sink));
}

void ComDocument::Unadvise(int32_t cookie) {
  bindings_.Unbind(cookie);
}

automation::ObjectRef ComApplication::GetInterfaceObject(const std::string& progId) {
  Variant object = Call("GetInterfaceObject", {Variant(progId)});
  if (automation::SameUCase(progId, nimbo::host::kMapProgId)) {
    return Adapt<ComMapApplication>(object);
  }
  return object.Value().AsObject();
}

}  // namespace nimbo::win::host
