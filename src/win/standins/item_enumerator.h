// IEnumVARIANT over the items of an in-memory enumeration (ForEach), as _NewEnum answers
// it: the items are taken once, when the enumerator is made, by the one ForEach call
// that the in-memory host counts; Next then hands out, in order, each that still exists
// when it is reached (asked without a host call), so that a client may delete items as
// it goes, as a ForEach visitor may. Each item is wrapped when it is handed out.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <functional>
#include <memory>
#include <vector>

#include "automation/variant.h"
#include "win/com/com_ptr.h"

namespace nimbo::win::standins {

struct EnumeratedItems {
  std::vector<automation::ObjectRef> items;
  std::function<bool(const automation::Object&)> stillExists;
  std::function<automation::Variant(const automation::ObjectRef&)> wrap;
  std::shared_ptr<const bool> ownerGone;  // once true, Next answers RPC_E_DISCONNECTED
};

com::ComPtr<IUnknown> MakeItemEnumerator(EnumeratedItems items);

}  // namespace nimbo::win::standins
