// The events of one in-memory document raised again through the connection point of
// the COM document that stands for it: each sink advised on the COM document is relayed
// by an advise of its own on the in-memory document (one host Advise per COM Advise,
// one Unadvise per Unadvise, as a client of the real application makes them), and each
// event the in-memory document raises to that relay goes to that sink alone. Cancel of
// BeginDocClose goes by reference: what the sink writes is what the host reads.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "host/cad.h"
#include "win/com/table_dispatch.h"

namespace nimbo::win::standins {

class DocumentEventRelays {
 public:
  explicit DocumentEventRelays(host::DocumentRef document);
  // Unadvises every relay still advised.
  ~DocumentEventRelays();
  DocumentEventRelays(const DocumentEventRelays&) = delete;
  DocumentEventRelays& operator=(const DocumentEventRelays&) = delete;

  // The COM document whose sinks are relayed; borrowed: it owns these relays.
  void Attach(com::TableDispatch* object) { object_ = object; }
  com::TableDispatch* Object() const { return object_; }

  // The connection point's hooks (com::ConnectionHooks).
  void Advised(DWORD cookie);
  void Unadvised(DWORD cookie);
  // Unadvises every relay and raises nothing more, for an owner that goes.
  void Shutdown();

 private:
  class Relay;

  host::DocumentRef document_;
  com::TableDispatch* object_ = nullptr;
  std::map<DWORD, std::unique_ptr<Relay>> relays_;  // by the COM sink's cookie
};

}  // namespace nimbo::win::standins
