// The library's public classes as COM objects: Bound (creatable by clients), Extent and
// AcadColors (handed out only by the library itself).
#pragma once

#include <windows.h>

#include <memory>

#include "geometry/bound.h"
#include "geometry/extent.h"
#include "overlay/acad_colors.h"
#include "win/com/com_ptr.h"

namespace nimbo::win::server {

com::ComPtr<IDispatch> BoundObject(std::shared_ptr<geometry::Bound> bound);
com::ComPtr<IDispatch> ExtentObject(std::shared_ptr<geometry::Extent> extent);
com::ComPtr<IDispatch> AcadColorsObject(std::shared_ptr<overlay::AcadColors> colors);

}  // namespace nimbo::win::server
