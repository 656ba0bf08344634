#include "geometry/bound.h"

#include <gtest/gtest.h>

#include "automation/error.h"
#include "geometry/cad_fakes.h"

namespace nimbo::geometry {
namespace {

using testing::CallLog;
using testing::FakeDocument;
using testing::FakeModelSpace;
using testing::StrictFakes;

TEST(bound, starts_at_zero_and_stores_each_corner_where_set_values_puts_it) {
  Bound bound;
  EXPECT_EQ(bound.initialized.value, 0);
  for (double v :
       {bound.ULx, bound.ULy, bound.URx, bound.URy, bound.LRx, bound.LRy, bound.LLx, bound.LLy}) {
    EXPECT_EQ(v, 0.0);
  }

  bound.SetValues(1, 2, 3, 4, 5, 6, 7, 8);
  EXPECT_EQ(bound.ULx, 1);
  EXPECT_EQ(bound.ULy, 2);
  EXPECT_EQ(bound.URx, 3);
  EXPECT_EQ(bound.URy, 4);
  EXPECT_EQ(bound.LRx, 5);
  EXPECT_EQ(bound.LRy, 6);
  EXPECT_EQ(bound.LLx, 7);
  EXPECT_EQ(bound.LLy, 8);
  EXPECT_EQ(bound.initialized.value, -1);
}

TEST(bound, draws_the_ring_back_to_its_first_corner_by_layer_on_the_named_layer) {
  StrictFakes strict;
  CallLog log;
  auto modelSpace = std::make_shared<FakeModelSpace>(log);
  auto doc = std::make_shared<FakeDocument>(modelSpace);
  Bound bound;
  bound.SetValues(1, 2, 3, 4, 5, 6, 7, 8);
  std::string layer = "VeskNimBoVisibleExtent";

  auto polyline = bound.AsPolyline(doc, layer);

  ASSERT_EQ(modelSpace->added.size(), 1u);
  EXPECT_EQ(polyline, modelSpace->added[0]);
  EXPECT_EQ(modelSpace->added[0]->coordinates,
            (automation::DoubleArray{0, {1, 2, 3, 4, 5, 6, 7, 8, 1, 2}}));
  EXPECT_EQ(log.calls, (std::vector<std::string>{"AddLightWeightPolyline", "SetColor 256",
                                                 "SetLayer VeskNimBoVisibleExtent", "Update"}));
  EXPECT_EQ(layer, "VeskNimBoVisibleExtent");
}

TEST(bound, never_set_draws_five_vertices_at_the_origin) {
  StrictFakes strict;
  CallLog log;
  auto modelSpace = std::make_shared<FakeModelSpace>(log);
  std::string layer = "L";
  Bound().AsPolyline(std::make_shared<FakeDocument>(modelSpace), layer);
  ASSERT_EQ(modelSpace->added.size(), 1u);
  EXPECT_EQ(modelSpace->added[0]->coordinates.values, std::vector<double>(10, 0.0));
}

TEST(bound, a_host_failure_passes_to_the_caller_and_the_added_polyline_stays) {
  StrictFakes strict;
  CallLog log;
  log.failAt = "SetLayer";
  auto modelSpace = std::make_shared<FakeModelSpace>(log);
  std::string layer = "NoSuchLayer";
  try {
    Bound().AsPolyline(std::make_shared<FakeDocument>(modelSpace), layer);
    FAIL() << "the failing layer put must reach the caller";
  } catch (const automation::AutomationError& e) {
    EXPECT_EQ(e.number(), -2145386476);
    EXPECT_EQ(e.description(), "Key not found");
    EXPECT_EQ(e.source(), "AutoCAD");
  }
  EXPECT_EQ(modelSpace->added.size(), 1u);
  EXPECT_EQ(log.calls.back(), "SetLayer NoSuchLayer");  // no Update after the failure
}

TEST(bound, without_a_document_or_model_space_fails_with_object_not_set) {
  StrictFakes strict;
  std::string layer = "L";
  auto expect91 = [&](const host::DocumentRef& doc) {
    try {
      Bound().AsPolyline(doc, layer);
      FAIL() << "expected error 91";
    } catch (const automation::AutomationError& e) {
      EXPECT_EQ(e.number(), automation::errors::kObjectNotSet);
    }
  };
  expect91(nullptr);
  expect91(std::make_shared<FakeDocument>(nullptr));
}

}  // namespace
}  // namespace nimbo::geometry
