// For Each over an outside collection: its _NewEnum (DISPID_NEWENUM) answers an
// IEnumVARIANT, read one item at a time, so that what the visitor does to the collection
// (deleting the item visited) is seen before the next item is asked for.
#pragma once

#include <functional>

#include "automation/variant.h"
#include "win/com/dispatch_object.h"

namespace nimbo::win::com {

// A collection without an enumerator is error 438, as For Each reports it.
void EnumerateItems(DispatchObject& collection,
                    const std::function<void(const automation::Variant& item)>& visit);

}  // namespace nimbo::win::com
