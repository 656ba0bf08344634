// The shapes of the CAD stand-in's members: a property get, put, get and put, or a
// method, each a row of a TableDispatch's table.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "win/com/table_dispatch.h"
#include "win/standins/cad_dispids.h"
#include "win/standins/item_enumerator.h"

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

// _NewEnum of a collection whose in-memory ForEach visits Items: the one ForEach call
// takes the items, `stillExists` skips those deleted since, `wrap` (a member of
// `objects`) makes each item's COM object as it is handed out.
template <class Item, class Collection, class Objects>
com::DispatchMember NewEnum(std::shared_ptr<Objects> objects,
                            std::shared_ptr<Collection> collection,
                            bool (*stillExists)(const Item&),
                            automation::Variant (Objects::*wrap)(const std::shared_ptr<Item>&)) {
  auto enumerate = [objects, collection, stillExists, wrap] {
    EnumeratedItems items;
    collection->ForEach(
        [&items](const std::shared_ptr<Item>& item) { items.items.push_back(item); });
    items.stillExists = [stillExists](const automation::Object& item) {
      return stillExists(static_cast<const Item&>(item));
    };
    items.wrap = [objects, wrap](const automation::ObjectRef& item) {
      return ((*objects).*wrap)(std::static_pointer_cast<Item>(item));
    };
    items.ownerGone = objects->Gone();
    return MakeItemEnumerator(std::move(items));
  };
  return {"_NewEnum", cad_dispid::kNewEnum, {}, true, {}, std::move(enumerate)};
}

}  // namespace nimbo::win::standins
