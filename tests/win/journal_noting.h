// The Windows tests' way to journal a failure where the control would report it: what a
// call raises is written to the journal, so that two journals compare errors too.
#pragma once

#include <string>

#include "automation/error.h"
#include "automation/variant.h"
#include "standalone/journal.h"

namespace nimbo::win::test {

template <class Body>
void Noting(standalone::Journal& journal, Body&& body) {
  try {
    body();
  } catch (const automation::AutomationError& error) {
    using standalone::TranscriptValue;
    journal.Write("caught " + std::to_string(error.number()) + " " +
                  TranscriptValue(automation::Variant(error.description())) + " " +
                  TranscriptValue(automation::Variant(error.source())));
  }
}

}  // namespace nimbo::win::test
