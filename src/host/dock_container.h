// The dock container that hosts the control's palette inside the CAD application.
#pragma once

#include <cstdint>

#include "automation/variant.h"
#include "host/cad.h"

namespace nimbo::host {

class DockContainerEvents {
 public:
  virtual ~DockContainerEvents() = default;
  virtual void OnDocumentActivated(const DocumentRef& document) = 0;
};

// The container interface {306FE413-9210-486D-BC8C-75B4B62EA68C}.
class DockContainer : public automation::Object {
 public:
  // The eighth member after the standard dispatch members.
  virtual void Member8(int32_t value) = 0;
  // Connection point of OnDocumentActivated. The sink is borrowed until Unadvise.
  virtual int32_t Advise(DockContainerEvents* sink) = 0;
  virtual void Unadvise(int32_t cookie) = 0;
};
using DockContainerRef = std::shared_ptr<DockContainer>;

}  // namespace nimbo::host
