// The shapes of the CAD stand-in's members: a property get, put, get and put, or a
// method, each a row of a TableDispatch's table.
#pragma once

#include <string>
#include <utility>

#include "win/com/table_dispatch.h"

namespace nimbo::win::standins {

using Handler = com::DispatchMember::Handler;

inline com::DispatchMember Get(std::string name, DISPID id, Handler get) {
  return {std::move(name), id, std::move(get), true};
}
inline com::DispatchMember Put(std::string name, DISPID id, Handler put) {
  return {std::move(name), id, {}, true, std::move(put)};
}
inline com::DispatchMember GetPut(std::string name, DISPID id, Handler get, Handler put) {
  return {std::move(name), id, std::move(get), true, std::move(put)};
}
inline com::DispatchMember Method(std::string name, DISPID id, Handler call) {
  return {std::move(name), id, std::move(call), false};
}

}  // namespace nimbo::win::standins
