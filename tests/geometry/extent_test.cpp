#include "geometry/extent.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "automation/error.h"
#include "geometry/cad_fakes.h"

namespace nimbo::geometry {
namespace {

using testing::FakeLine;
using testing::FakeNonEntity;
using testing::FakeOtherEntity;
using testing::FakePoint;
using testing::FakePolyline;
using testing::StrictFakes;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool Inside(const Extent& e, double x, double y) {
  return e.IsInside(x, y).IsTrue();
}
bool PartlyInside(const Extent& e, const automation::ObjectRef& elem) {
  return e.IsGeometryPartiallyInside(elem).IsTrue();
}

Extent TenByTen() {
  Extent e;
  e.MergeBound(0, 10, 10, 10, 10, 0, 0, 0);
  return e;
}

TEST(array_min_max, keep_the_earlier_of_equal_elements_and_a_leading_nan) {
  EXPECT_EQ(ArrayMin({3, -1, 2, -1}), -1);
  EXPECT_EQ(ArrayMax({3, -1, 7, 2}), 7);
  EXPECT_EQ(ArrayMin({5}), 5);
  // Only strictly smaller or larger elements replace the running value.
  EXPECT_FALSE(std::signbit(ArrayMin({0.0, -0.0})));
  EXPECT_TRUE(std::signbit(ArrayMin({-0.0, 0.0})));
  EXPECT_TRUE(std::signbit(ArrayMax({-0.0, 0.0})));
  EXPECT_TRUE(std::isnan(ArrayMin({kNaN, 1, 2})));
  EXPECT_TRUE(std::isnan(ArrayMax({kNaN, 1, 2})));
  EXPECT_EQ(ArrayMin({1, kNaN, 0}), 0);
  EXPECT_EQ(ArrayMax({1, kNaN, 2}), 2);
}

TEST(array_min_max, of_an_empty_array_is_a_subscript_error_not_a_crash) {
  try {
    ArrayMin({});
    FAIL();
  } catch (const automation::AutomationError& e) {
    EXPECT_EQ(e.number(), automation::errors::kSubscriptOutOfRange);
  }
  EXPECT_THROW(ArrayMax({}), automation::AutomationError);
}

TEST(point_in_box, counts_edges_as_inside_and_fails_on_nan_except_in_the_upper_bounds) {
  EXPECT_EQ(PointInBox(0, 0, 0, 0, 10, 10).value, -1);
  EXPECT_TRUE(PointInBox(10, 10, 0, 0, 10, 10).IsTrue());
  EXPECT_TRUE(PointInBox(0, 10, 0, 0, 10, 10).IsTrue());
  EXPECT_EQ(PointInBox(10.000001, 5, 0, 0, 10, 10).value, 0);
  EXPECT_FALSE(PointInBox(5, -0.000001, 0, 0, 10, 10).IsTrue());
  EXPECT_FALSE(PointInBox(5, 5, 10, 0, 0, 10).IsTrue());  // min above max: nothing inside

  EXPECT_FALSE(PointInBox(kNaN, 5, 0, 0, 10, 10).IsTrue());
  EXPECT_FALSE(PointInBox(5, kNaN, 0, 0, 10, 10).IsTrue());
  EXPECT_FALSE(PointInBox(5, 5, kNaN, 0, 10, 10).IsTrue());
  EXPECT_FALSE(PointInBox(5, 5, 0, kNaN, 10, 10).IsTrue());
  EXPECT_TRUE(PointInBox(5, 5, 0, 0, kNaN, 10).IsTrue());
  EXPECT_TRUE(PointInBox(5, 5, 0, 0, 10, kNaN).IsTrue());
  EXPECT_TRUE(PointInBox(1e300, 1e300, 0, 0, kNaN, kNaN).IsTrue());
  EXPECT_FALSE(PointInBox(5, 11, 0, 0, kNaN, 10).IsTrue());
}

TEST(extent, first_merge_ignores_the_fields_and_later_merges_grow_the_rectangle) {
  Extent e;
  e.Minx = 100;
  e.Miny = 100;
  e.Maxx = -100;
  e.Maxy = -100;
  e.MergeBound(0, 10, 10, 10, 10, 0, 0, 0);
  EXPECT_EQ(e.initialized.value, -1);
  EXPECT_EQ(e.Minx, 0);
  EXPECT_EQ(e.Miny, 0);
  EXPECT_EQ(e.Maxx, 10);
  EXPECT_EQ(e.Maxy, 10);

  e.MergeBound(20, -5, 20, -5, 20, -5, 20, -5);
  EXPECT_EQ(e.Minx, 0);
  EXPECT_EQ(e.Miny, -5);
  EXPECT_EQ(e.Maxx, 20);
  EXPECT_EQ(e.Maxy, 10);

  // A tilted footprint: its corners, not its first two, decide the cover.
  Extent tilted;
  tilted.MergeBound(2, 9, 9, 8, 8, 1, 1, 2);
  EXPECT_EQ(tilted.Minx, 1);
  EXPECT_EQ(tilted.Miny, 1);
  EXPECT_EQ(tilted.Maxx, 9);
  EXPECT_EQ(tilted.Maxy, 9);
}

TEST(extent, merges_the_corners_upper_left_upper_right_lower_left_lower_right) {
  // Parameters come UL, UR, LR, LL; the corners are compared UL, UR, LL, LR, and of two
  // equal values the earlier stays, which the sign of a zero shows.
  Extent e;
  e.MergeBound(1, 1, 1, 1, /*LR*/ 0.0, 0.0, /*LL*/ -0.0, -0.0);
  EXPECT_TRUE(std::signbit(e.Minx));
  EXPECT_TRUE(std::signbit(e.Miny));

  // A NaN in the first corner poisons the first merge; a later one is passed over.
  Extent poisoned;
  poisoned.MergeBound(kNaN, 0, 5, 5, 5, 0, 0, 0);
  EXPECT_TRUE(std::isnan(poisoned.Minx));
  Extent skipped;
  skipped.MergeBound(0, 0, 5, 5, kNaN, kNaN, 0, 5);
  EXPECT_EQ(skipped.Minx, 0);
  EXPECT_EQ(skipped.Maxx, 5);
  EXPECT_EQ(skipped.Maxy, 5);
}

TEST(extent, is_inside_only_once_merged_and_with_its_edges) {
  Extent never;
  EXPECT_FALSE(Inside(never, 0, 0));

  Extent degenerate;
  degenerate.MergeBound(5, 5, 5, 5, 5, 5, 5, 5);
  EXPECT_TRUE(Inside(degenerate, 5, 5));
  EXPECT_FALSE(Inside(degenerate, 5.0000001, 5));

  const Extent box = TenByTen();
  EXPECT_TRUE(Inside(box, 0, 0));
  EXPECT_TRUE(Inside(box, 10, 0));
  EXPECT_TRUE(Inside(box, 10, 10));
  EXPECT_TRUE(Inside(box, 5, 10));
  EXPECT_FALSE(Inside(box, -1, 5));
  EXPECT_FALSE(Inside(box, 5, 10.5));

  // A client may write the fields directly; an inverted rectangle holds nothing.
  Extent written;
  written.initialized = automation::VBool::From(true);
  written.Minx = 10;
  written.Maxx = 0;
  written.Maxy = 10;
  EXPECT_FALSE(Inside(written, 5, 5));
}

TEST(extent, a_line_counts_by_its_endpoints_and_both_are_read) {
  // IsGeometryPartiallyInside turns any error into False: only strictness shows a call
  // it should not have made.
  StrictFakes strict;
  const Extent box = TenByTen();
  auto across = std::make_shared<FakeLine>(host::Point3{-5, 5, 0}, host::Point3{15, 5, 0});
  EXPECT_FALSE(PartlyInside(box, across));

  auto startInside = std::make_shared<FakeLine>(host::Point3{5, 5, 0}, host::Point3{50, 5, 0});
  EXPECT_TRUE(PartlyInside(box, startInside));
  EXPECT_EQ(startInside->startReads, 1);
  EXPECT_EQ(startInside->endReads, 1);

  auto endInside = std::make_shared<FakeLine>(host::Point3{50, 5, 0}, host::Point3{5, 5, 99});
  EXPECT_TRUE(PartlyInside(box, endInside));

  // Reading the end point fails: the answer is False, even with the start inside.
  startInside->failEndPoint = true;
  EXPECT_FALSE(PartlyInside(box, startInside));
}

TEST(extent, a_polyline_counts_by_any_vertex_and_an_odd_or_empty_list_is_not_inside) {
  StrictFakes strict;
  const Extent box = TenByTen();
  auto make = [](int32_t lowerBound, std::vector<double> values) {
    return std::make_shared<FakePolyline>(automation::DoubleArray{lowerBound, std::move(values)});
  };
  EXPECT_FALSE(PartlyInside(box, make(0, {})));
  EXPECT_FALSE(PartlyInside(box, make(0, {-1, -1, 20, 20, -1, 20})));
  EXPECT_TRUE(PartlyInside(box, make(0, {-1, -1, 20, 20, 3, 4})));
  EXPECT_TRUE(PartlyInside(box, make(1, {20, 20, 10, 10})));  // any lower bound
  // An x without its y: a vertex inside before it still counts, otherwise False.
  EXPECT_TRUE(PartlyInside(box, make(0, {5, 5, 20})));
  EXPECT_FALSE(PartlyInside(box, make(0, {20, 20, 5})));

  // The kind is told by the object name, compared with its case.
  EXPECT_FALSE(PartlyInside(box, std::make_shared<FakePolyline>(automation::DoubleArray{0, {5, 5}},
                                                                nullptr, "AcDbpolyline")));
  // Named a polyline but without its coordinates.
  EXPECT_FALSE(PartlyInside(box, std::make_shared<FakeOtherEntity>("AcDbPolyline")));
}

TEST(extent, a_point_counts_by_x_and_y_and_anything_else_is_outside_without_an_error) {
  StrictFakes strict;
  const Extent box = TenByTen();
  EXPECT_TRUE(PartlyInside(box, std::make_shared<FakePoint>(host::Point3{10, 0, 1e9})));
  EXPECT_FALSE(PartlyInside(box, std::make_shared<FakePoint>(host::Point3{11, 0, 0})));

  EXPECT_FALSE(PartlyInside(box, std::make_shared<FakeOtherEntity>("AcDbCircle")));
  EXPECT_FALSE(PartlyInside(box, std::make_shared<FakeNonEntity>()));
  EXPECT_FALSE(PartlyInside(box, nullptr));
  auto unreadable = std::make_shared<FakePoint>(host::Point3{5, 5, 0});
  unreadable->failObjectName = true;
  EXPECT_FALSE(PartlyInside(box, unreadable));

  // Never merged: even a point at the origin is outside.
  EXPECT_FALSE(PartlyInside(Extent(), std::make_shared<FakePoint>(host::Point3{0, 0, 0})));
}

// A line whose end points the fake does not expect to be read.
class LineWithoutEnds : public testing::FakeEntity<host::Line> {
 public:
  LineWithoutEnds() : FakeEntity("AcDbLine", nullptr) {}
  host::Point3 StartPoint() override { testing::UnexpectedCall("StartPoint"); }
  host::Point3 EndPoint() override { testing::UnexpectedCall("EndPoint"); }
};

TEST(strict_fakes, an_unexpected_call_the_code_swallows_still_fails_a_strict_test) {
  const Extent box = TenByTen();
  auto line = std::make_shared<LineWithoutEnds>();
  // Not strict: the error is swallowed and the test cannot tell.
  EXPECT_FALSE(PartlyInside(box, line));
  // Strict: the same call is a failure of the test, and the answer is unchanged.
  EXPECT_NONFATAL_FAILURE(
      {
        StrictFakes strict;
        EXPECT_FALSE(PartlyInside(box, line));
      },
      "unexpected call: StartPoint");
  EXPECT_FALSE(StrictFakes::On());
}

TEST(strict_fakes, an_unexpected_call_still_raises_the_error_a_real_object_would) {
  LineWithoutEnds line;
  std::string raised;
  int32_t number = 0;
  EXPECT_NONFATAL_FAILURE(
      {
        StrictFakes strict;
        try {
          line.EndPoint();
        } catch (const automation::AutomationError& e) {
          raised = e.description();
          number = e.number();
        }
      },
      "unexpected call: EndPoint");
  EXPECT_EQ(raised, "unexpected call: EndPoint");
  EXPECT_EQ(number, -1);
}

}  // namespace
}  // namespace nimbo::geometry
