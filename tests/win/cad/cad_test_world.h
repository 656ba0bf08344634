// The embedded default with one open, active drawing, the CAD stand-in over its in-memory
// application, and late-bound helpers for the tests that reach it only through COM.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <memory>
#include <string>
#include <vector>

#include "automation/error.h"
#include "standalone/embedded_default.h"
#include "win/com/com_ptr.h"
#include "win/com/dispatch_object.h"
#include "win/com/error_from_call.h"
#include "win/com/process_classes.h"
#include "win/standins/cad_standin.h"

namespace nimbo::win::test {

using automation::Variant;
using ObjectPtr = std::shared_ptr<com::DispatchObject>;

inline constexpr const char* kDrawingName = "Site.dwg";

inline ObjectPtr AsObject(const Variant& value) {
  auto object = std::dynamic_pointer_cast<com::DispatchObject>(value.Value().AsObject());
  if (!object) throw automation::errors::Standard(automation::errors::kObjectNotSet);
  return object;
}

inline Variant Point(double x, double y, double z = 0) {
  return Variant(automation::DoubleArray{0, {x, y, z}});
}

// The running application, as the control finds it: the ProgID's class, then the
// running-object table.
inline ObjectPtr FindRunningApplication() {
  const CLSID classId = com::ClassIdFromProgId(host::kCadProgId);
  com::ComPtr<IUnknown> running;
  HRESULT result = GetActiveObject(classId, nullptr, running.Put());
  if (FAILED(result)) throw com::ErrorFromFailedCall(result, nullptr, nullptr, IID_NULL);
  return std::make_shared<com::DispatchObject>(running.As<IDispatch>());
}

// The name of the dispinterface an object describes itself with.
inline std::string InterfaceName(IDispatch* object) {
  com::ComPtr<ITypeInfo> info;
  if (FAILED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Put()))) return "";
  BSTR name = nullptr;
  if (FAILED(info->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr))) return "";
  std::string text;
  for (const wchar_t* c = name; *c != 0; ++c) text += static_cast<char>(*c);
  SysFreeString(name);
  return text;
}

// The drawing in memory, open and active, the journal and the fault plan recording.
struct CadWorld {
  standalone::EmbeddedDefault world{"VeskNimboDock17"};
  standalone::Drawing& drawing = world.application->AddDocument(kDrawingName);

  CadWorld() {
    world.application->Activate(kDrawingName);
    world.faults.RecordTargets(true);
  }
};

}  // namespace nimbo::win::test
