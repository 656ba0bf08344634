// The DISPIDs of members by name, kept per interface: a dispinterface's DISPIDs belong
// to the interface, so every object that describes itself with the same interface (its
// type information's GUID) shares one table, and GetIDsOfNames is asked once per member
// and interface. An object without type information keeps a table of its own.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>

namespace nimbo::win::com {

using MemberIds = std::unordered_map<std::string, DISPID>;

// The table for `object`'s interface, made empty the first time.
std::shared_ptr<MemberIds> MemberIdsOf(IDispatch* object);

}  // namespace nimbo::win::com
