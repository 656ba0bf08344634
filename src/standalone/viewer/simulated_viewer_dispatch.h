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

// Whether every argument already has its parameter's type (and their count is right):
// then the operation can read them where they are, through the caller's references.
bool HasParameterTypes(const host::ViewerOperation& operation,
                       std::span<const automation::Variant> arguments);

// Performs the operation with arguments of the parameters' types, which it only reads;
// by-reference ones are read through. Answers the result, Empty when there is none.
automation::Variant PerformViewerOperation(ViewerModel& model,
                                           const host::ViewerOperation& operation,
                                           std::span<automation::Variant> values);

}  // namespace nimbo::standalone
