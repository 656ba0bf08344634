// The one connection point of the embedded default (the viewer's, the dock container's
// and each in-memory document's): cookies, the errors of a plain connection point, and
// which sinks an event visits when sinks come and go during it; then what the document
// adds on top of it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "standalone/memory_fixture.h"
#include "standalone/simulated_event_sinks.h"

namespace nimbo::standalone::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct Sink {
  Sink() = default;
  Sink(std::string sinkName, std::vector<std::string>* sinkLog)
      : name(std::move(sinkName)), log(sinkLog) {}
  std::string name;
  std::vector<std::string>* log = nullptr;
  std::function<void()> onEvent;
  void Hear(const std::string& event) {
    log->push_back(name + " " + event);
    if (onEvent) onEvent();
  }
};

void RaiseTo(SimulatedEventSinks<Sink>& sinks, const std::string& event) {
  sinks.Raise([&](Sink& sink) { sink.Hear(event); });
}

TEST(connection_point, gives_each_sink_its_own_cookie_and_raises_in_advise_order) {
  std::vector<std::string> log;
  Sink a{"a", &log};
  Sink b{"b", &log};
  SimulatedEventSinks<Sink> sinks;
  const int32_t first = sinks.Advise(&a);
  const int32_t second = sinks.Advise(&b);
  EXPECT_NE(first, second);
  EXPECT_EQ(sinks.Count(), 2u);
  RaiseTo(sinks, "one");
  sinks.Unadvise(first);
  RaiseTo(sinks, "two");
  EXPECT_THAT(log, ElementsAre("a one", "b one", "b two"));
  EXPECT_EQ(sinks.Count(), 1u);
}

TEST(connection_point, refuses_a_null_sink_and_an_unknown_cookie_as_invalid_calls) {
  SimulatedEventSinks<Sink> sinks;
  try {
    sinks.Advise(nullptr);
    ADD_FAILURE() << "a null sink was accepted";
  } catch (const automation::AutomationError& e) {
    EXPECT_EQ(e.number(), automation::errors::kInvalidCall);
  }
  Sink a;
  const int32_t cookie = sinks.Advise(&a);
  sinks.Unadvise(cookie);
  try {
    sinks.Unadvise(cookie);  // twice
    ADD_FAILURE() << "a cookie was unadvised twice";
  } catch (const automation::AutomationError& e) {
    EXPECT_EQ(e.number(), automation::errors::kInvalidCall);
  }
  EXPECT_EQ(sinks.Count(), 0u);
}

TEST(connection_point, bind_and_unbind_answer_instead_of_raising) {
  std::vector<std::string> log;
  Sink a{"a", &log};
  SimulatedEventSinks<Sink> sinks;
  const int32_t cookie = sinks.Bind(a);
  EXPECT_FALSE(sinks.Unbind(cookie + 1));
  EXPECT_TRUE(sinks.Unbind(cookie));
  EXPECT_FALSE(sinks.Unbind(cookie));
  RaiseTo(sinks, "none");
  EXPECT_TRUE(log.empty());
}

TEST(connection_point, skips_a_sink_unadvised_during_the_event_and_waits_with_one_bound) {
  std::vector<std::string> log;
  Sink a{"a", &log};
  Sink b{"b", &log};
  Sink late{"late", &log};
  SimulatedEventSinks<Sink> sinks;
  sinks.Advise(&a);
  const int32_t bCookie = sinks.Advise(&b);
  bool first = true;
  a.onEvent = [&] {
    if (!std::exchange(first, false)) return;
    sinks.Unadvise(bCookie);
    sinks.Advise(&late);
  };
  RaiseTo(sinks, "one");
  RaiseTo(sinks, "two");
  EXPECT_THAT(log, ElementsAre("a one", "a two", "late two"));
}

TEST(connection_point, a_nested_event_unadvising_a_sink_keeps_the_outer_one_from_it) {
  std::vector<std::string> log;
  Sink a{"a", &log};
  Sink b{"b", &log};
  SimulatedEventSinks<Sink> sinks;
  sinks.Advise(&a);
  const int32_t bCookie = sinks.Advise(&b);
  bool outer = true;
  a.onEvent = [&] {
    if (!std::exchange(outer, false)) return;
    RaiseTo(sinks, "inner");
    sinks.Unadvise(bCookie);
  };
  RaiseTo(sinks, "outer");
  EXPECT_THAT(log, ElementsAre("a outer", "a inner", "b inner"));
}

TEST(connection_point, unbind_all_drops_every_sink_and_never_reuses_a_cookie) {
  std::vector<std::string> log;
  Sink a{"a", &log};
  Sink b{"b", &log};
  SimulatedEventSinks<Sink> sinks;
  const int32_t first = sinks.Advise(&a);
  a.onEvent = [&] { sinks.UnbindAll(); };
  sinks.Advise(&b);
  RaiseTo(sinks, "one");
  EXPECT_EQ(sinks.Count(), 0u);
  EXPECT_GT(sinks.Advise(&b), first + 1);
  EXPECT_THAT(log, ElementsAre("a one"));
}

// ----- the document's use of it --------------------------------------------------------

class FailingSink : public host::DocumentEvents {
 public:
  void BeginDocClose(automation::VBool& /*cancel*/) override {
    ++calls;
    throw automation::AutomationError(-1, "sink failed");
  }
  void EndCommand(const std::string& /*commandName*/) override {
    ++calls;
    throw automation::AutomationError(-1, "sink failed");
  }
  int calls = 0;
};

class CountingSink : public host::DocumentEvents {
 public:
  void BeginDocClose(automation::VBool& /*cancel*/) override { events.push_back("close"); }
  void EndCommand(const std::string& commandName) override { events.push_back(commandName); }
  std::vector<std::string> events;
};

class MemoryConnectionPoint : public MemoryHostTest {};

TEST_F(MemoryConnectionPoint, a_failing_sink_does_not_keep_the_event_from_the_others) {
  FailingSink failing;
  CountingSink counting;
  doc->Advise(&failing);
  doc->Advise(&counting);
  app->RunCommand("Site", "PAN");
  app->CloseDocument("Site");
  EXPECT_EQ(failing.calls, 2);
  EXPECT_THAT(counting.events, ElementsAre("PAN", "close"));
}

TEST_F(MemoryConnectionPoint, a_null_sink_and_an_unknown_cookie_name_the_drawing_errors) {
  auto nullSink = ErrorOf([&] { doc->Advise(nullptr); });
  EXPECT_EQ(nullSink.number(), host_error::kInvalidInput);
  CountingSink sink;
  const int32_t cookie = doc->Advise(&sink);
  doc->Unadvise(cookie);
  auto twice = ErrorOf([&] { doc->Unadvise(cookie); });
  EXPECT_EQ(twice.number(), host_error::kNoConnection);
  EXPECT_THAT(twice.description(), HasSubstr("drawing Site"));
  app->RunCommand("Site", "PAN");
  EXPECT_TRUE(sink.events.empty());
}

TEST_F(MemoryConnectionPoint, a_sink_advised_during_an_event_hears_only_the_next_one) {
  CountingSink late;
  struct AdvisingSink : CountingSink {
    std::function<void()> then;
    void EndCommand(const std::string& commandName) override {
      CountingSink::EndCommand(commandName);
      if (then) std::exchange(then, nullptr)();
    }
  } advising;
  advising.then = [&] { doc->Advise(&late); };
  doc->Advise(&advising);
  app->RunCommand("Site", "PAN");
  app->RunCommand("Site", "ZOOM");
  EXPECT_THAT(advising.events, ElementsAre("PAN", "ZOOM"));
  EXPECT_THAT(late.events, ElementsAre("ZOOM"));
}

}  // namespace
}  // namespace nimbo::standalone::testing
