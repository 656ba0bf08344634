// The embedded running-object lookup (GetObject): answers the in-memory CAD application
// for "AutoCAD.Application.17" (case-insensitive) while the application is running, and
// raises error 429 ("ActiveX component can't create object") otherwise, or for any other
// ProgID. Checks the fault plan under "drawing.RunningObjects.GetActiveObject".
#pragma once

#include <memory>
#include <string>

#include "host/platform.h"
#include "standalone/fault_plan.h"

namespace nimbo::standalone {

class MemoryApplication;

class MemoryRunningObjects : public host::RunningObjects {
 public:
  // The lookup shares the application; the fault plan is borrowed.
  MemoryRunningObjects(std::shared_ptr<MemoryApplication> application, FaultPlan& faults)
      : application_(std::move(application)), faults_(faults) {}

  // Whether the CAD application is running (default true).
  void SetRunning(bool running) { running_ = running; }
  bool Running() const { return running_; }

  automation::ObjectRef GetActiveObject(const std::string& progId) override;

 private:
  std::shared_ptr<MemoryApplication> application_;
  FaultPlan& faults_;  // borrowed; outlives the lookup
  bool running_ = true;
};

}  // namespace nimbo::standalone
