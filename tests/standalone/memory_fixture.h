// The in-memory host with its fault plan, journal and person, and a document "Site" that
// is active, for the memory_* tests.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "automation/error.h"
#include "host/cad.h"
#include "standalone/cad/memory_drawing.h"
#include "standalone/cad/memory_errors.h"
#include "standalone/cad/memory_host.h"
#include "standalone/fault_plan.h"
#include "standalone/journal.h"
#include "standalone/scripted_person.h"

namespace nimbo::standalone::testing {

class MemoryHostTest : public ::testing::Test {
 protected:
  MemoryHostTest()
      : app(MemoryApplication::Create(faults, journal, person)), site(app->AddDocument("Site")) {
    app->Activate("Site");
    doc = app->ActiveDocument();
  }

  // Runs `call` and answers the AutomationError it raised; fails the test if none.
  static automation::AutomationError ErrorOf(const std::function<void()>& call) {
    try {
      call();
    } catch (const automation::AutomationError& e) {
      return e;
    }
    ADD_FAILURE() << "no AutomationError was raised";
    return automation::AutomationError(0, "");
  }

 public:
  // Entity data for setup.
  static EntityData Line(std::string id, double x0, double y0, double x1, double y1,
                         std::string layer = "0") {
    EntityData e;
    e.id = std::move(id);
    e.kind = EntityKind::Line;
    e.layer = std::move(layer);
    e.start = {x0, y0, 0};
    e.end = {x1, y1, 0};
    return e;
  }
  static EntityData PointAt(std::string id, double x, double y, std::string layer = "0") {
    EntityData e;
    e.id = std::move(id);
    e.kind = EntityKind::Point;
    e.layer = std::move(layer);
    e.at = {x, y, 0};
    return e;
  }
  static EntityData Region(std::string id, std::vector<double> outline) {
    EntityData e;
    e.id = std::move(id);
    e.kind = EntityKind::Region;
    e.points = std::move(outline);
    return e;
  }

 protected:
  // Ids of every entity that ForEach visits.
  static std::vector<std::string> Ids(host::EntityCollection& collection, Drawing& drawing) {
    std::vector<std::string> ids;
    collection.ForEach([&](const host::EntityRef& e) {
      ids.push_back(drawing.Entity(drawing.HandleOfObjectId(e->ObjectID())).id);
    });
    return ids;
  }

  FaultPlan faults;
  Journal journal;
  ScriptedPerson person;
  std::shared_ptr<MemoryApplication> app;
  Drawing& site;
  host::DocumentRef doc;
};

}  // namespace nimbo::standalone::testing
