// _DockControl {4F19F6E4-D2F3-440F-BED2-7C69C21E8C30}: the control's default dispatch
// interface. Automation clients and the control itself call the layer operations through
// it, so the control's own redraws take the same road as a script's call.
#pragma once

#include <string>

#include "host/cad.h"

namespace nimbo::sync {

class DockControlInterface {
 public:
  virtual ~DockControlInterface() = default;

  // The drawing whose events the control handles (get, and put by reference).
  virtual host::DocumentRef DocEvents() = 0;
  virtual void SetDocEvents(host::DocumentRef& document) = 0;

  // DISPIDs 0x60030018 .. 0x6003001B. None writes to layername.
  virtual void AddLayer(std::string& layername) = 0;
  virtual host::LayerRef FindLayer(std::string& layername) = 0;
  virtual void DeleteAll(std::string& layername) = 0;
  virtual void DeleteLayer(std::string& layername) = 0;
};

}  // namespace nimbo::sync
