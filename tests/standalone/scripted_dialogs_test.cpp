// The scripted message and input boxes: their journal lines, the person's answers, the
// default caption, planned faults and running out of answers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "automation/error.h"
#include "standalone/fault_plan.h"
#include "standalone/journal.h"
#include "standalone/scripted_dialogs.h"
#include "standalone/scripted_person.h"

namespace nimbo::standalone {
namespace {

using automation::AutomationError;
using host::MessageAnswer;
using host::MessageButtons;

class ScriptedDialogsTest : public ::testing::Test {
 protected:
  ScriptedPerson person;
  Journal journal;
  FaultPlan faults;
  ScriptedDialogs dialogs{person, journal, faults, "VeskNimboDock17"};
};

TEST_F(ScriptedDialogsTest, writes_each_box_and_gives_the_persons_answers) {
  person.Give({ButtonAnswer{"Yes"}, ButtonAnswer{"No"}, InputAnswer{"2.5"}, InputAnswer{}});
  EXPECT_EQ(dialogs.MessageBox("Exception: x 5, \"D\", S", MessageButtons::Ok, std::nullopt),
            MessageAnswer::Ok);
  EXPECT_EQ(dialogs.MessageBox("Save?", MessageButtons::YesNo, "VeskNIMBO"), MessageAnswer::Yes);
  EXPECT_EQ(dialogs.MessageBox("Save?", MessageButtons::YesNo, std::nullopt), MessageAnswer::No);
  EXPECT_EQ(dialogs.InputBox("Text height", "VeskNIMBO", "1"), std::optional<std::string>("2.5"));
  EXPECT_EQ(dialogs.InputBox("Text height", "", ""), std::nullopt);
  EXPECT_EQ(dialogs.MessageBox("Done", MessageButtons::Ok, "Vesk plug-in"), MessageAnswer::Ok);

  const std::vector<std::string> expected = {
      "dialog message \"Exception: x 5, \\\"D\\\", S\" caption \"VeskNimboDock17\"",
      "dialog confirm \"Save?\" caption \"VeskNIMBO\" -> Yes",
      "dialog confirm \"Save?\" caption \"VeskNimboDock17\" -> No",
      "dialog input \"Text height\" caption \"VeskNIMBO\" default \"1\" -> \"2.5\"",
      "dialog input \"Text height\" caption \"VeskNimboDock17\" default \"\" -> cancel",
      "dialog message \"Done\" caption \"Vesk plug-in\"",
  };
  EXPECT_EQ(journal.Lines(), expected);
  EXPECT_EQ(person.Remaining(), 0u);  // the OK boxes took no answer
}

TEST_F(ScriptedDialogsTest, raises_the_persons_error_when_no_fitting_answer_is_left) {
  try {
    dialogs.MessageBox("Save?", MessageButtons::YesNo, "VeskNIMBO");
    ADD_FAILURE() << "a confirmation without an answer went through";
  } catch (const AutomationError& error) {
    EXPECT_EQ(error.number(), kNoAnswerError);
  }
  ASSERT_TRUE(person.Disagreement().has_value());
  EXPECT_EQ(*person.Disagreement(),
            "dialog confirm \"Save?\" caption \"VeskNIMBO\" found no answer left");

  // An answer of another kind is not taken by an input box.
  person.Give(ButtonAnswer{"Yes"});
  EXPECT_THROW(dialogs.InputBox("Height", "VeskNIMBO", ""), AutomationError);
  EXPECT_EQ(person.Remaining(), 1u);
  EXPECT_EQ(journal.Lines().size(), 2u);
  EXPECT_EQ(journal.Lines()[0].substr(0, 56),
            "dialog confirm \"Save?\" caption \"VeskNIMBO\" -> error -214");
}

TEST_F(ScriptedDialogsTest, asks_the_fault_plan_before_taking_an_answer) {
  faults.Add("dialogs.MessageBox", 7, "Out of memory");
  faults.Add("dialogs.InputBox", 5, "Invalid procedure call or argument");
  person.Give({ButtonAnswer{"Yes"}, InputAnswer{"x"}});
  EXPECT_THROW(dialogs.MessageBox("Save?", MessageButtons::YesNo, "VeskNIMBO"), AutomationError);
  EXPECT_THROW(dialogs.InputBox("Height", "VeskNIMBO", "1"), AutomationError);
  EXPECT_EQ(person.Remaining(), 2u);
  EXPECT_EQ(dialogs.MessageBox("Save?", MessageButtons::YesNo, "VeskNIMBO"), MessageAnswer::Yes);

  const std::vector<std::string> expected = {
      "dialog confirm \"Save?\" caption \"VeskNIMBO\" -> error 7 \"Out of memory\"",
      "dialog input \"Height\" caption \"VeskNIMBO\" default \"1\" -> error 5 \"Invalid "
      "procedure call or argument\"",
      "dialog confirm \"Save?\" caption \"VeskNIMBO\" -> Yes",
  };
  EXPECT_EQ(journal.Lines(), expected);
}

}  // namespace
}  // namespace nimbo::standalone
