// A journal with a sink lets go of the lines it forwards, and still reads back the ones
// it holds by their marks.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "standalone/journal.h"

namespace nimbo::standalone {
namespace {

using Lines = std::vector<std::string>;

TEST(JournalSink, without_a_sink_forward_keeps_every_line) {
  Journal journal;
  journal.Write("a");
  journal.Forward();
  journal.Write("b");
  EXPECT_EQ(journal.Lines(), (Lines{"a", "b"}));
  EXPECT_EQ(journal.Since(0), (Lines{"a", "b"}));
  EXPECT_EQ(journal.Mark(), 2u);
}

TEST(JournalSink, forward_hands_the_held_lines_over_in_order_and_lets_them_go) {
  Journal journal;
  Lines received;
  journal.SetSink([&received](const std::string& line) { received.push_back(line); });
  journal.Write("one");
  journal.Write("two");
  EXPECT_TRUE(received.empty());  // writing alone never reaches the sink
  journal.Forward();
  EXPECT_EQ(received, (Lines{"one", "two"}));
  EXPECT_TRUE(journal.Lines().empty());
  EXPECT_EQ(journal.Mark(), 2u);  // the forwarded lines still count

  const size_t mark = journal.Mark();
  journal.Write("three");
  journal.Write("four");
  EXPECT_EQ(journal.Since(mark), (Lines{"three", "four"}));
  EXPECT_EQ(journal.Since(mark + 1), (Lines{"four"}));
  EXPECT_EQ(journal.StartingWith("f", mark), (Lines{"four"}));
  journal.Forward();
  EXPECT_EQ(received, (Lines{"one", "two", "three", "four"}));
}

TEST(JournalSink, reading_from_before_the_forwarded_lines_is_refused) {
  Journal journal;
  journal.SetSink([](const std::string&) {});
  journal.Write("gone");
  journal.Forward();
  journal.Write("held");
  EXPECT_THROW(journal.Since(0), std::logic_error);
  EXPECT_THROW(journal.StartingWith("held"), std::logic_error);
  EXPECT_EQ(journal.Since(1), (Lines{"held"}));
}

TEST(JournalSink, a_failing_sink_fails_forward_not_write) {
  Journal journal;
  journal.SetSink([](const std::string&) { throw std::runtime_error("disk full"); });
  EXPECT_NO_THROW(journal.Write("line"));
  EXPECT_THROW(journal.Forward(), std::runtime_error);
}

TEST(JournalSink, clear_starts_the_count_again) {
  Journal journal;
  journal.SetSink([](const std::string&) {});
  journal.Write("a");
  journal.Forward();
  journal.Clear();
  EXPECT_EQ(journal.Mark(), 0u);
  journal.Write("b");
  EXPECT_EQ(journal.Since(0), (Lines{"b"}));
}

// The lines live in one buffer; the list Lines() makes of them must follow every write,
// clear and forward, and the text must be the lines joined, each with its newline.
TEST(JournalSink, the_list_and_the_text_follow_writes_clears_and_forwards) {
  Journal journal;
  journal.Write("first");
  EXPECT_EQ(journal.Lines(), (Lines{"first"}));
  journal.Write("a \"quoted\"\nsecond");  // a line may hold a newline of its own
  journal.Write("");
  EXPECT_EQ(journal.Lines(), (Lines{"first", "a \"quoted\"\nsecond", ""}));
  EXPECT_EQ(journal.Count(), 3u);
  EXPECT_EQ(journal.Line(1), "a \"quoted\"\nsecond");
  EXPECT_EQ(journal.Text(), "first\na \"quoted\"\nsecond\n\n");

  journal.Clear();
  journal.Write("after clear");
  EXPECT_EQ(journal.Lines(), (Lines{"after clear"}));
  EXPECT_EQ(journal.Text(), "after clear\n");

  Lines received;
  journal.SetSink([&received](const std::string& line) { received.push_back(line); });
  journal.Forward();
  journal.Write("after forward");
  EXPECT_EQ(received, (Lines{"after clear"}));
  EXPECT_EQ(journal.Lines(), (Lines{"after forward"}));
  EXPECT_EQ(journal.Text(), "after forward\n");
}

}  // namespace
}  // namespace nimbo::standalone
