// The reports of a step's transcript: what reached the person as an error message
// ("Exception: ..." or "UserControl_Show error ..." in a box that was shown) and what
// failed back to a caller (`caller <entry> -> error ...`); and the reports that a failure
// must give by its expectation.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "replay/sweep/fault_sweep_rules.h"

namespace nimbo::replay::sweep {

std::vector<std::string> Reports(const std::vector<std::string>& lines);

// Whether the lines hold an error message box that was shown.
bool HasReportBox(const std::vector<std::string>& lines);

// The report lines that a failure with this number and description must give;
// `withoutFailure`: the step's reports in the run without failures (a silent failure
// must leave them as they were).
std::vector<std::string> ExpectedReports(const Expectation& expectation, int32_t number,
                                         const std::string& description,
                                         const std::vector<std::string>& withoutFailure);

// The reports joined for a message, or "nothing".
std::string Listed(const std::vector<std::string>& reports);

}  // namespace nimbo::replay::sweep
