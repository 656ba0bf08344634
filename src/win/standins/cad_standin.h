// The CAD application stand-in: the in-memory CAD application (with its Map extension)
// as COM objects of the published automation model, found as the real application is
// found: the application object is in the running-object table under the stand-in's
// class, and "AutoCAD.Application.17" names that class in this process, so that
// ClassIdFromProgId then GetActiveObject reaches it. Every member calls the one
// in-memory member it stands for (cad_objects.h), so a session over COM leaves the
// journal and the fault plan's counts that it leaves on Linux.
#pragma once

#include <windows.h>

#include <memory>

#include "host/cad.h"
#include "win/com/com_ptr.h"
#include "win/com/process_classes.h"
#include "win/com/table_dispatch.h"

namespace nimbo::win::standins {

class CadObjects;

class CadStandin {
 public:
  // `application`: the in-memory application (the embedded default's), shared.
  explicit CadStandin(::nimbo::host::ApplicationRef application);
  // Revokes the registration and the ProgID, unadvises the documents' event relays and
  // disconnects every object it made: a client that still holds one gets
  // RPC_E_DISCONNECTED.
  ~CadStandin();
  CadStandin(const CadStandin&) = delete;
  CadStandin& operator=(const CadStandin&) = delete;

  com::TableDispatch& Object() { return *object_.Get(); }
  // The COM drawing that stands for `document`, as the application's members hand it out.
  automation::Variant DocumentObject(const ::nimbo::host::DocumentRef& document);

 private:
  std::shared_ptr<CadObjects> objects_;
  com::ComPtr<com::TableDispatch> object_;
  std::unique_ptr<com::ProcessProgId> progId_;
  DWORD runningCookie_ = 0;
};

}  // namespace nimbo::win::standins
