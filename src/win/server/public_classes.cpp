#include "win/server/public_classes.h"

#include "geometry/bound_members.h"
#include "geometry/extent_members.h"
#include "overlay/acad_colors_members.h"
#include "win/server/public_object.h"
#include "win/server/server_ids.h"

namespace nimbo::win::server {

namespace {

com::ComPtr<IDispatch> AsDispatch(const com::ComPtr<com::TableDispatch>& object) {
  return com::ComPtr<IDispatch>(static_cast<IDispatch*>(object.Get()));
}

}  // namespace

com::ComPtr<IDispatch> BoundObject(std::shared_ptr<geometry::Bound> bound) {
  return AsDispatch(
      PublicObject(geometry::BoundMembers(), std::move(bound), DIID__Bound, CLSID_Bound, "Bound"));
}

com::ComPtr<IDispatch> ExtentObject(std::shared_ptr<geometry::Extent> extent) {
  return AsDispatch(PublicObject(geometry::ExtentMembers(), std::move(extent), DIID__Extent,
                                 CLSID_Extent, "Extent"));
}

com::ComPtr<IDispatch> AcadColorsObject(std::shared_ptr<overlay::AcadColors> colors) {
  return AsDispatch(PublicObject(overlay::AcadColorsMembers(), std::move(colors), DIID__AcadColors,
                                 CLSID_AcadColors, "AcadColors"));
}

}  // namespace nimbo::win::server
