// The embedded default wired once: the environment it hands a control borrows every part
// of one world, the parts share its journal and fault plan, and an override takes the
// place of the part it names and of nothing else.
#include "standalone/embedded_default.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "automation/error.h"
#include "host/cad.h"
#include "host/platform.h"

namespace nimbo::standalone {
namespace {

using ::testing::ElementsAre;

TEST(embedded_default, hands_a_control_every_part_of_one_world) {
  EmbeddedDefault world("Lib");
  const host::ControlEnvironment env = world.Environment();
  EXPECT_EQ(env.viewer, &world.viewer);
  EXPECT_EQ(env.viewerExtender, &world.viewerExtender);
  EXPECT_EQ(env.button, &world.button);
  EXPECT_EQ(env.runningObjects, &world.runningObjects);
  EXPECT_EQ(env.dialogs, &world.dialogs);
  EXPECT_EQ(env.locale, &automation::Locale::EnUs());
  ASSERT_NE(env.clock, nullptr);
  EXPECT_EQ(env.clock, world.clock.get());
  EXPECT_EQ(env.clock->Now(), automation::DateTime{});
  // The lookup finds the world's own application.
  EXPECT_EQ(env.runningObjects->GetActiveObject(host::kCadProgId), world.application);
  EXPECT_TRUE(world.journal.Lines().empty());
}

TEST(embedded_default, its_parts_write_to_one_journal_and_ask_one_fault_plan) {
  EmbeddedDefault world("Lib");
  world.Environment().dialogs->MessageBox("Hello", host::MessageButtons::Ok, std::nullopt);
  world.container->Member8(20480);
  world.application->AddDocument("A.dwg");
  world.application->DocumentObject("A.dwg")->Layers()->Add("X");
  world.faults.Add("container.Member8", 91, "Object variable or With block variable not set");
  EXPECT_THROW(world.container->Member8(1), automation::AutomationError);
  EXPECT_THAT(world.journal.Lines(),
              ElementsAre(R"(dialog message "Hello" caption "Lib")", "container Member8(20480)",
                          R"(drawing A.dwg layer added "X")",
                          R"(container Member8(1) -> error 91 "Object variable or With block )"
                          R"(variable not set")"));
}

class SilentViewer : public host::ViewerControl {
 public:
  automation::Variant Invoke(int32_t, std::span<automation::Variant>) override { return {}; }
  int32_t Advise(host::ViewerEvents*) override { return 1; }
  void Unadvise(int32_t) override {}
};

class NothingRunning : public host::RunningObjects {
 public:
  automation::ObjectRef GetActiveObject(const std::string&) override { return nullptr; }
};

TEST(embedded_default, an_override_takes_the_place_of_the_part_it_names_only) {
  SilentViewer silent;
  NothingRunning nothing;
  EmbeddedOverrides overrides;
  overrides.viewer = &silent;
  overrides.runningObjects = &nothing;
  overrides.clock = std::make_unique<automation::FixedClock>(automation::DateTime{2026, 12, 7});
  overrides.locale = &automation::Locale::DeDe();
  EmbeddedDefault world("Lib", std::move(overrides));

  const host::ControlEnvironment env = world.Environment();
  EXPECT_EQ(env.viewer, &silent);
  EXPECT_EQ(env.runningObjects, &nothing);
  EXPECT_EQ(env.locale, &automation::Locale::DeDe());
  EXPECT_EQ(env.clock->Now(), (automation::DateTime{2026, 12, 7}));
  // The rest is the world's own, and the simulated viewer is still there to take state.
  EXPECT_EQ(env.viewerExtender, &world.viewerExtender);
  EXPECT_EQ(env.button, &world.button);
  EXPECT_EQ(env.dialogs, &world.dialogs);
  EXPECT_EQ(world.viewer.BoundSinks(), 0u);
}

}  // namespace
}  // namespace nimbo::standalone
