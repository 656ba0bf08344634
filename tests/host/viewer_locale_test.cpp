// The typed viewer converts the viewer's results in the control's locale: a viewer that
// answers a number as text, or text where a number is asked, reads as the person's
// regional settings say, like every other conversion of the run-time.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "automation/error.h"
#include "automation/locale.h"
#include "host/viewer.h"
#include "host/viewer_operations.h"

namespace nimbo::host {
namespace {

using automation::Locale;
using automation::Variant;

// Answers each DISPID with a fixed result and counts the calls; events are not its
// business.
class AnsweringViewer : public ViewerControl {
 public:
  Variant Invoke(int32_t dispid, std::span<Variant>) override {
    ++calls[dispid];
    auto it = answers.find(dispid);
    return it == answers.end() ? Variant() : it->second;
  }
  int32_t Advise(ViewerEvents*) override {
    throw automation::AutomationError(-1, "unexpected call: Advise", "fake");
  }
  void Unadvise(int32_t) override {
    throw automation::AutomationError(-1, "unexpected call: Unadvise", "fake");
  }

  std::map<int32_t, Variant> answers;
  std::map<int32_t, int> calls;
};

TEST(viewer_results, are_read_with_the_decimal_comma_of_a_german_locale) {
  AnsweringViewer control;
  control.answers[dispid::kTotalULx + 2] = Variant("12,5");
  control.answers[dispid::kGetViewMode] = Variant(2.5);
  control.answers[dispid::kGetOverlayLayerCount] = Variant("3,5");
  Viewer viewer(control, Locale::DeDe());
  int32_t view = 1;
  EXPECT_EQ(viewer.TotalCorner(2, view), 12.5);
  EXPECT_EQ(viewer.GetViewMode(1), "2,5");
  EXPECT_EQ(viewer.GetOverlayLayerCount(view), 4);  // half to even
  EXPECT_EQ(control.calls[dispid::kTotalULx + 2], 1);
}

TEST(viewer_results, are_read_with_the_decimal_point_of_an_american_locale) {
  AnsweringViewer control;
  control.answers[dispid::kVisibleULx] = Variant("12.5");
  control.answers[dispid::kGetViewMode] = Variant(2.5);
  Viewer viewer(control, Locale::EnUs());
  int32_t view = 1;
  EXPECT_EQ(viewer.VisibleCorner(0, view), 12.5);
  EXPECT_EQ(viewer.GetViewMode(1), "2.5");
  // A comma is no decimal separator here: the text is not a number (13).
  control.answers[dispid::kVisibleULx] = Variant("12,5");
  try {
    viewer.VisibleCorner(0, view);
    FAIL() << "a comma read as a number under en-US";
  } catch (const automation::AutomationError& error) {
    EXPECT_EQ(error.number(), automation::errors::kTypeMismatch);
  }
}

TEST(viewer_corners, outside_the_eight_are_an_invalid_call_that_reaches_no_viewer) {
  AnsweringViewer control;
  Viewer viewer(control, Locale::EnUs());
  int32_t view = 1;
  for (int corner : {-1, 8}) {
    try {
      viewer.TotalCorner(corner, view);
      FAIL() << "corner " << corner << " was read";
    } catch (const automation::AutomationError& error) {
      EXPECT_EQ(error.number(), automation::errors::kInvalidCall);
    }
    EXPECT_THROW(viewer.VisibleCorner(corner, view), automation::AutomationError);
  }
  EXPECT_TRUE(control.calls.empty());
}

}  // namespace
}  // namespace nimbo::host
