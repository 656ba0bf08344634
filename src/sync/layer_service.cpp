// Placeholder until the layer service lands.
#include "sync/layer_service.h"

#include "automation/error.h"

namespace nimbo::sync {
namespace {
[[noreturn]] void NotYet() { throw automation::errors::Standard(automation::errors::kNotSupported); }
}  // namespace
void AddLayer(overlay::ControlState&, std::string&) { NotYet(); }
host::LayerRef FindLayer(overlay::ControlState&, std::string&) { NotYet(); }
void DeleteAll(overlay::ControlState&, std::string&) { NotYet(); }
void DeleteLayer(overlay::ControlState&, DockControlInterface&, std::string&) { NotYet(); }
}  // namespace nimbo::sync
