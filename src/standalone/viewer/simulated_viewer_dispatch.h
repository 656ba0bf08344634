// The simulated viewer's dispatch interface: checks a call's arguments against the
// operation table as the platform's dispatch code does, and performs the operation on
// the model.
#pragma once

#include <span>

#include <boost/container/small_vector.hpp>

#include "automation/variant.h"
#include "host/viewer_operations.h"
#include "standalone/viewer/viewer_model.h"

namespace nimbo::standalone {

// Converted arguments, held on the stack: no operation takes more than sixteen.
using ViewerArguments = boost::container::small_vector<automation::Variant, 16>;

// The arguments converted to the parameters' types, by value. A wrong count raises 5; a
// value that does not convert, or a by-reference argument of another type than its
// parameter (the viewer could not write back through it), raises 13; a number too large
// for its parameter raises 6.
ViewerArguments ConvertViewerArguments(const host::ViewerOperation& operation,
                                       std::span<const automation::Variant> arguments);

// Performs the operation with converted arguments, which it may change (the caller writes
// the by-reference ones back). Answers the result, Empty when there is none.
automation::Variant PerformViewerOperation(ViewerModel& model,
                                           const host::ViewerOperation& operation,
                                           std::span<automation::Variant> values);

}  // namespace nimbo::standalone
