// Classes made known to this process only: the class object registered with
// CoRegisterClassObject, and the ProgID in a table of the process's that ClassIdFromProgId
// reads before the registry. Nothing is written to the registry, so a program brings its
// own stand-ins into a fresh Wine prefix (or onto a Windows machine) and takes them away
// again when it ends.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "win/com/com_ptr.h"

namespace nimbo::win::com {

class ProcessClass {
 public:
  // Makes a new object for each CoCreateInstance; may throw (the creation then fails).
  using Factory = std::function<ComPtr<IUnknown>()>;

  // Raises AutomationError when the class object cannot be registered or the ProgID is
  // already taken in this process.
  ProcessClass(const CLSID& classId, std::string progId, Factory factory);
  ~ProcessClass();
  ProcessClass(const ProcessClass&) = delete;
  ProcessClass& operator=(const ProcessClass&) = delete;

 private:
  std::string progId_;
  DWORD cookie_ = 0;
};

// A ProgID of this process's table alone, with no class object: for an object that is
// found running (GetActiveObject) rather than created. Raises AutomationError when the
// ProgID is already taken in this process.
class ProcessProgId {
 public:
  ProcessProgId(const CLSID& classId, std::string progId);
  ~ProcessProgId();
  ProcessProgId(const ProcessProgId&) = delete;
  ProcessProgId& operator=(const ProcessProgId&) = delete;

 private:
  std::string progId_;
};

// The class of a ProgID: this process's own first, then the registry's. An unknown ProgID
// is error 429, as the run-time's CreateObject reports it.
CLSID ClassIdFromProgId(std::string_view progId);

// The run-time's CreateObject: a new object of the ProgID's class, through IDispatch.
ComPtr<IDispatch> CreateObject(std::string_view progId);

}  // namespace nimbo::win::com
