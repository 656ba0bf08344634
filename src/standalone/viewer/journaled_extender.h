// The container-provided properties of a real child control, with every value set
// written to the journal as the embedded default's own children write it
// (`viewer Top = 0`), from the moment the journal is started: a palette opened before the
// session's first step sizes its control without its lines becoming part of the session.
#pragma once

#include <string>

#include "host/viewer.h"
#include "standalone/journal.h"

namespace nimbo::standalone {

class JournaledExtender final : public host::ExtenderProperties {
 public:
  // Both borrowed; they must outlive these properties.
  JournaledExtender(std::string control, host::ExtenderProperties& own, Journal& journal)
      : control_(std::move(control)), own_(own), journal_(journal) {}

  void StartJournal() { journaling_ = true; }

  float Top() override { return own_.Top(); }
  float Left() override { return own_.Left(); }
  float Width() override { return own_.Width(); }
  float Height() override { return own_.Height(); }
  void SetTop(float value) override;
  void SetLeft(float value) override;
  void SetWidth(float value) override;
  void SetHeight(float value) override;

 private:
  void Write(const char* property, float value);

  std::string control_;
  host::ExtenderProperties& own_;  // borrowed
  Journal& journal_;               // borrowed
  bool journaling_ = false;
};

}  // namespace nimbo::standalone
