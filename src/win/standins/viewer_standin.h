// The viewer stand-in: a COM object of the class NimboViewer, known in this process under
// the viewer's ProgID, that answers the viewer's operations (by the DISPIDs and names of
// host's operation table) over a simulated viewer, and raises the simulated viewer's
// events through its connection point (with the DISPIDs of host's event table). Its
// class information comes from the stand-ins' type library. What reaches it is journaled
// by the simulated viewer, so that a session over COM writes the transcript that it
// writes on Linux.
#pragma once

#include <windows.h>

#include <memory>

#include "win/com/com_ptr.h"
#include "win/com/process_classes.h"
#include "win/com/table_dispatch.h"

namespace nimbo::standalone {
class SimulatedViewer;
}

namespace nimbo::win::standins {

class ViewerStandin {
 public:
  // `viewer` is borrowed and must outlive the stand-in. Every CoCreateInstance of the
  // class answers the one object over it, as there is one viewer in the palette.
  explicit ViewerStandin(standalone::SimulatedViewer& viewer);
  // Revokes the class and disconnects the object from the simulated viewer; a client
  // that still holds it gets RPC_E_DISCONNECTED.
  ~ViewerStandin();
  ViewerStandin(const ViewerStandin&) = delete;
  ViewerStandin& operator=(const ViewerStandin&) = delete;

  com::TableDispatch& Object() { return *object_.Get(); }

 private:
  class EventRelay;

  standalone::SimulatedViewer& viewer_;  // borrowed
  com::ComPtr<com::TableDispatch> object_;
  std::unique_ptr<EventRelay> relay_;
  int32_t relayCookie_ = 0;
  std::unique_ptr<com::ProcessClass> class_;
};

}  // namespace nimbo::win::standins
