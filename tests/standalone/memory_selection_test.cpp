// Selection sets, on-screen selection, point picks, and the crossing-polygon selection
// checked against an independent brute-force reference on random drawings.
#include <cmath>
#include <numbers>
#include <random>
#include <set>

// Boost 1.74's R-tree includes a header it has itself deprecated; silence its note.
#define BOOST_ALLOW_DEPRECATED_HEADERS
#include <boost/geometry.hpp>

#include "host/selection_filter.h"
#include "standalone/memory_fixture.h"

namespace nimbo::standalone::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class MemorySelection : public MemoryHostTest {
 protected:
  static automation::DoubleArray Quad(double x0, double y0, double x1, double y1) {
    // UL, UR, LR, LL, as the control passes a view's extent.
    return automation::DoubleArray{0, {x0, y1, 0, x1, y1, 0, x1, y0, 0, x0, y0, 0}};
  }
  std::vector<std::string> SetIds(host::SelectionSet& set) {
    std::vector<std::string> ids;
    set.ForEach([&](const host::EntityRef& e) {
      ids.push_back(site.Entity(site.HandleOfObjectId(e->ObjectID())).id);
    });
    return ids;
  }
};

TEST_F(MemorySelection, selection_set_names_are_unique_in_any_case) {
  auto sets = doc->SelectionSets();
  sets->Add("Vesk12/7/2026 10:15:30 AM");
  auto error = ErrorOf([&] { sets->Add("vesk12/7/2026 10:15:30 am"); });
  EXPECT_EQ(error.number(), host_error::kDuplicateKey);
  EXPECT_THAT(error.description(), HasSubstr("\"vesk12/7/2026 10:15:30 am\""));
  EXPECT_EQ(sets->Count(), 1);
}

TEST_F(MemorySelection, a_deleted_set_frees_its_name_and_answers_erased) {
  auto set = doc->SelectionSets()->Add("Vesk");
  set->Delete();
  EXPECT_EQ(doc->SelectionSets()->Count(), 0);
  EXPECT_EQ(ErrorOf([&] { set->Count(); }).number(), host_error::kObjectErased);
  doc->SelectionSets()->Add("Vesk");
  EXPECT_THAT(site.SelectionSetNames(), ElementsAre("Vesk"));
}

TEST_F(MemorySelection, on_screen_selection_takes_the_persons_ids_and_journals_them) {
  site.AddEntity(Space::Model(), Region("r1", {0, 0, 1, 0, 1, 1}));
  site.AddEntity(Space::Model(), Line("l1", 0, 0, 1, 1));
  site.AddEntity(Space::Model(), Region("r2", {0, 0, 1, 0, 1, 1}));
  auto set = doc->SelectionSets()->Add("Vesk");
  journal.Clear();
  person.Give(SelectAnswer{{"r2", "l1"}});
  set->SelectOnScreen();
  EXPECT_EQ(set->Count(), 2);
  EXPECT_EQ(set->Item(0)->ObjectName(), "AcDbRegion");
  EXPECT_THAT(SetIds(*set), ElementsAre("r2", "l1"));
  EXPECT_THAT(journal.Lines(),
              ElementsAre("user select -> [\"r2\", \"l1\"]",
                          "drawing Site selection set \"Vesk\" selected 2 on screen"));
}

TEST_F(MemorySelection, an_empty_on_screen_selection_leaves_the_set_empty) {
  auto set = doc->SelectionSets()->Add("Vesk");
  person.Give(SelectAnswer{});
  set->SelectOnScreen();
  EXPECT_EQ(set->Count(), 0);
}

TEST_F(MemorySelection, selecting_an_id_the_drawing_lacks_is_a_disagreement) {
  site.AddEntity(Space::Model(), Line("l1", 0, 0, 1, 1));
  auto set = doc->SelectionSets()->Add("Vesk");
  person.Give(SelectAnswer{{"l1", "ghost"}});
  auto error = ErrorOf([&] { set->SelectOnScreen(); });
  EXPECT_EQ(error.number(), kNoAnswerError);
  ASSERT_TRUE(person.Disagreement());
  EXPECT_THAT(*person.Disagreement(), HasSubstr("\"ghost\""));
  EXPECT_THAT(*person.Disagreement(), HasSubstr("drawing Site"));
}

TEST_F(MemorySelection, a_selection_without_an_answer_is_a_disagreement) {
  auto set = doc->SelectionSets()->Add("Vesk");
  EXPECT_EQ(ErrorOf([&] { set->SelectOnScreen(); }).number(), kNoAnswerError);
  EXPECT_EQ(*person.Disagreement(), "user select found no answer left");
}

TEST_F(MemorySelection, a_pick_takes_the_persons_point_and_journals_it) {
  person.Give(PointAnswer{Point3{1.5, 2, 0}});
  person.Give(PointAnswer{Point3{3, 4, 5}});
  auto utility = doc->Utility();
  EXPECT_EQ(utility->GetPoint(std::nullopt, std::string("Enter a point for text position: ")),
            (Point3{1.5, 2, 0}));
  EXPECT_EQ(utility->GetPoint(std::nullopt, std::nullopt), (Point3{3, 4, 5}));
  EXPECT_THAT(journal.Lines(),
              ElementsAre("user pick \"Enter a point for text position: \" -> (1.5, 2, 0)",
                          "user pick -> (3, 4, 5)"));
}

TEST_F(MemorySelection, a_cancelled_pick_raises_the_cancel_error) {
  person.Give(PointAnswer{std::nullopt});
  auto error = ErrorOf([&] { doc->Utility()->GetPoint(std::nullopt, std::string("Pick: ")); });
  EXPECT_EQ(error.number(), automation::errors::kUserCancelled);
  EXPECT_EQ(error.number(), -2147352567);
  EXPECT_EQ(error.description(), "Exception occurred.");
  EXPECT_THAT(journal.Lines(), ElementsAre("user pick \"Pick: \" -> cancel"));
  EXPECT_FALSE(person.Disagreement());
}

TEST_F(MemorySelection, a_pick_without_an_answer_is_a_disagreement) {
  EXPECT_EQ(ErrorOf([&] { doc->Utility()->GetPoint(std::nullopt, std::nullopt); }).number(),
            kNoAnswerError);
  EXPECT_EQ(*person.Disagreement(), "user pick found no answer left");
}

TEST_F(MemorySelection, crossing_selection_takes_what_lies_inside_or_crosses_the_polygon) {
  site.AddEntity(Space::Model(), Line("inside", 1, 1, 2, 2));
  site.AddEntity(Space::Model(), Line("crossing", -5, 5, 5, 5));
  site.AddEntity(Space::Model(), Line("outside", 20, 20, 30, 30));
  site.AddEntity(Space::Model(), PointAt("on edge", 0, 5));
  site.AddEntity(Space::Paper(), Line("paper", 1, 1, 2, 2));
  EntityData around;  // a circle around the whole polygon crosses nothing
  around.id = "around";
  around.kind = EntityKind::Circle;
  around.center = {5, 5, 0};
  around.radius = 100;
  site.AddEntity(Space::Model(), around);
  EntityData arc = around;  // an arc whose missing part would cross
  arc.id = "arc";
  arc.kind = EntityKind::Arc;
  arc.center = {12, 5, 0};
  arc.radius = 3;
  arc.startAngle = -std::numbers::pi / 2;
  arc.endAngle = std::numbers::pi / 2;
  site.AddEntity(Space::Model(), arc);
  auto set = doc->SelectionSets()->Add("Vesk");
  journal.Clear();
  set->SelectByPolygon(7, Quad(0, 0, 10, 10));
  EXPECT_THAT(SetIds(*set), ElementsAre("inside", "crossing", "on edge"));
  EXPECT_THAT(journal.Lines(),
              ElementsAre("drawing Site selection set \"Vesk\" selected 3 by polygon"));
}

TEST_F(MemorySelection, crossing_selection_refuses_other_modes_and_short_polygons) {
  auto set = doc->SelectionSets()->Add("Vesk");
  auto error = ErrorOf([&] { set->SelectByPolygon(6, Quad(0, 0, 1, 1)); });
  EXPECT_EQ(error.number(), host_error::kInvalidInput);
  EXPECT_THAT(error.description(), HasSubstr("mode 6"));
  EXPECT_EQ(ErrorOf([&] {
              set->SelectByPolygon(7, automation::DoubleArray{0, {0, 0, 0, 1, 1, 0}});
            }).number(),
            host_error::kInvalidInput);
}

TEST_F(MemorySelection, entities_deleted_after_selection_leave_the_set) {
  for (int i = 0; i < 4; ++i)
    site.AddEntity(Space::Model(), PointAt("p" + std::to_string(i), i, i));
  auto set = doc->SelectionSets()->Add("Vesk");
  set->SelectByPolygon(7, Quad(-1, -1, 10, 10));
  ASSERT_EQ(set->Count(), 4);
  doc->ModelSpace()->Item(1)->Delete();
  EXPECT_EQ(set->Count(), 3);
  EXPECT_THAT(SetIds(*set), ElementsAre("p0", "p2", "p3"));
  // Deleting while enumerating the set visits every remaining one once.
  std::vector<std::string> visited;
  set->ForEach([&](const host::EntityRef& e) {
    visited.push_back(site.Entity(site.HandleOfObjectId(e->ObjectID())).id);
    if (visited.size() == 1) doc->ModelSpace()->Item(2)->Delete();  // p3
  });
  EXPECT_THAT(visited, ElementsAre("p0", "p2"));
}

TEST_F(MemorySelection, the_index_follows_entities_added_and_deleted_after_it_was_built) {
  site.AddEntity(Space::Model(), PointAt("a", 1, 1));
  auto set = doc->SelectionSets()->Add("one");
  set->SelectByPolygon(7, Quad(0, 0, 10, 10));  // builds the index
  doc->ModelSpace()->AddPoint({2, 2, 0});
  doc->ModelSpace()->Item(0)->Delete();
  auto again = doc->SelectionSets()->Add("two");
  again->SelectByPolygon(7, Quad(0, 0, 10, 10));
  EXPECT_THAT(SetIds(*again), ElementsAre("#1"));
}

TEST_F(MemorySelection, a_layer_filter_selects_that_layers_model_space_entities_or_refuses) {
  site.PutLayer(LayerData{.name = "Pipe-2.Old"});
  site.AddEntity(Space::Model(), PointAt("a", 0, 0, "Roads"));
  site.AddEntity(Space::Model(), PointAt("b", 0, 0, "Walls"));
  site.AddEntity(Space::Model(), PointAt("c", 0, 0, "roads"));  // the same layer
  site.AddEntity(Space::Paper(), PointAt("paper", 0, 0, "Roads"));
  site.AddEntity(Space::Model(), PointAt("pipe", 0, 0, "Pipe-2.Old"));
  site.AddEntity(Space::Model(), PointAt("pipex", 0, 0, "Pipe-2xOld"));
  int sets = 0;
  auto select = [&](const std::string& layer) {
    auto set = doc->SelectionSets()->Add("S" + std::to_string(++sets));
    const host::SelectionFilter filter = host::ModelSpaceLayerFilter(layer);
    set->Select(host::selection_mode::kAll, filter.types, filter.data);
    return SetIds(*set);
  };
  journal.Clear();
  EXPECT_THAT(select("rOADS"), ElementsAre("a", "c"));
  EXPECT_THAT(journal.Lines(),
              ElementsAre("drawing Site selection set added \"S1\"",
                          "drawing Site selection set \"S1\" selected 2 on layer \"rOADS\" in "
                          "model space"));
  EXPECT_THAT(select("Pipe-2.Old"), ElementsAre("pipe"));  // escaped, matched as it is

  // An earlier entity moved onto the layer takes its model-space place; one moved away
  // or deleted leaves it, and one moved away and back comes once.
  auto model = doc->ModelSpace();
  model->Item(1)->SetLayer("Roads");  // b
  model->Item(0)->SetLayer("Walls");  // a
  EXPECT_THAT(select("Roads"), ElementsAre("b", "c"));
  model->Item(2)->SetLayer("Walls");  // c
  model->Item(2)->SetLayer("Roads");
  model->Item(0)->SetLayer("Roads");  // a
  model->Item(1)->Delete();           // b
  EXPECT_THAT(select("Roads"), ElementsAre("a", "c"));
  EXPECT_THAT(select("Nobody"), ElementsAre());

  // Anything but the one layer in model space is refused, never answered wrongly.
  using Filter = std::pair<std::vector<int16_t>, std::vector<automation::Variant>>;
  const std::vector<std::pair<Filter, const char*>> refused = {
      {{{8, 410}, {"Road*", "Model"}}, "wildcard pattern"},
      {{{8, 410}, {"Roads`", "Model"}}, "wildcard pattern"},
      {{{8, 410}, {"Pipe-2.Old", "Model"}}, "wildcard pattern"},
      {{{8, 62}, {"Roads", int16_t{1}}}, "group code 62 is not supported"},
      {{{8}, {"Roads"}}, "needs group codes 8"},
      {{{8, 8, 410}, {"Roads", "Walls", "Model"}}, "given twice"},
      {{{8, 410}, {"Roads"}}, "2 codes with 1 values"},
      {{{8, 410}, {1.5, "Model"}}, "must be a String, not Double"},
      {{{410, 8}, {"Layout1", "Roads"}}, "\"Layout1\" is not supported"},
  };
  auto set = doc->SelectionSets()->Add("refused");
  for (const auto& [filter, why] : refused) {
    auto error = ErrorOf([&] { set->Select(5, filter.first, filter.second); });
    EXPECT_EQ(error.number(), host_error::kInvalidInput) << why;
    EXPECT_THAT(error.description(), HasSubstr(why));
  }
  const host::SelectionFilter roads = host::ModelSpaceLayerFilter("Roads");
  EXPECT_THAT(ErrorOf([&] { set->Select(7, roads.types, roads.data); }).description(),
              HasSubstr("mode 7"));
  EXPECT_EQ(set->Count(), 0);
}

// ----- the brute-force reference ----------------------------------------------------------

namespace bg = boost::geometry;
using BPoint = bg::model::d2::point_xy<double>;
using BPolygon = bg::model::polygon<BPoint>;
using BLine = bg::model::linestring<BPoint>;

BPolygon ToPolygon(const std::vector<spatial::Vec2>& ring) {
  BPolygon polygon;
  for (const auto& p : ring) bg::append(polygon.outer(), BPoint(p.x, p.y));
  bg::append(polygon.outer(), BPoint(ring[0].x, ring[0].y));
  bg::correct(polygon);
  return polygon;
}

// A circle touches a closed connected region exactly when the distances from its centre
// to the region span its radius (the intermediate value theorem).
bool CircleTouches(const BPolygon& polygon, double cx, double cy, double r) {
  const double nearest = bg::distance(BPoint(cx, cy), polygon);  // 0 inside
  double farthest = 0;
  for (const BPoint& p : polygon.outer()) {
    farthest = std::max(farthest, std::hypot(p.x() - cx, p.y() - cy));
  }
  return nearest <= r && r <= farthest;
}

BLine ArcChords(const EntityData& arc, double radius, int segments) {
  double span = std::fmod(arc.endAngle - arc.startAngle, 2 * std::numbers::pi);
  if (span <= 0) span += 2 * std::numbers::pi;
  BLine line;
  for (int i = 0; i <= segments; ++i) {
    const double a = arc.startAngle + span * i / segments;
    bg::append(line,
               BPoint(arc.center.x + radius * std::cos(a), arc.center.y + radius * std::sin(a)));
  }
  return line;
}

struct Reference {
  bool selected;
  bool unsure;
};

Reference Touches(const BPolygon& polygon, const EntityData& e) {
  switch (e.kind) {
    case EntityKind::Point:
      return {bg::covered_by(BPoint(e.at.x, e.at.y), polygon), false};
    case EntityKind::Line: {
      BLine line{BPoint(e.start.x, e.start.y), BPoint(e.end.x, e.end.y)};
      return {bg::intersects(line, polygon), false};
    }
    case EntityKind::Polyline: {
      BLine line;
      for (size_t i = 0; i < e.points.size(); i += 2)
        bg::append(line, BPoint(e.points[i], e.points[i + 1]));
      if (e.closed) bg::append(line, BPoint(e.points[0], e.points[1]));
      return {bg::intersects(line, polygon), false};
    }
    case EntityKind::Circle:
      return {CircleTouches(polygon, e.center.x, e.center.y, e.radius), false};
    case EntityKind::Arc: {
      // Chords of the arc, and of arcs slightly smaller and larger: where they disagree,
      // the polygon grazes the arc and the approximation cannot tell.
      const bool exact = bg::intersects(ArcChords(e, e.radius, 360), polygon);
      const bool smaller = bg::intersects(ArcChords(e, e.radius * (1 - 2e-4), 360), polygon);
      const bool larger = bg::intersects(ArcChords(e, e.radius * (1 + 2e-4), 360), polygon);
      return {exact, exact != smaller || exact != larger};
    }
    default:
      return {false, true};
  }
}

EntityData RandomEntity(std::mt19937& rng, int n) {
  std::uniform_real_distribution<double> coordinate(0, 1000);
  std::uniform_real_distribution<double> offset(-120, 120);
  std::uniform_real_distribution<double> radius(1, 150);
  std::uniform_real_distribution<double> angle(-7, 7);
  std::uniform_int_distribution<int> kind(0, 4);
  std::uniform_int_distribution<int> vertices(2, 7);
  EntityData e;
  e.id = "e" + std::to_string(n);
  const double x = coordinate(rng);
  const double y = coordinate(rng);
  switch (kind(rng)) {
    case 0: {
      e.kind = EntityKind::Polyline;
      const int count = vertices(rng);
      for (int i = 0; i < count; ++i) {
        e.points.push_back(x + offset(rng));
        e.points.push_back(y + offset(rng));
      }
      e.closed = rng() % 2 == 0;
      break;
    }
    case 1:
      e.kind = EntityKind::Line;
      e.start = {x, y, 0};
      e.end = {x + offset(rng), y + offset(rng), 0};
      break;
    case 2:
      e.kind = EntityKind::Point;
      e.at = {x, y, 0};
      break;
    case 3:
      e.kind = EntityKind::Circle;
      e.center = {x, y, 0};
      e.radius = radius(rng);
      break;
    default:
      e.kind = EntityKind::Arc;
      e.center = {x, y, 0};
      e.radius = radius(rng);
      e.startAngle = angle(rng);
      e.endAngle = angle(rng);
      break;
  }
  return e;
}

// A simple (star-shaped, possibly concave) quadrilateral: four points around a centre,
// in order of angle.
std::vector<spatial::Vec2> RandomQuadrilateral(std::mt19937& rng) {
  std::uniform_real_distribution<double> coordinate(-100, 1100);
  std::uniform_real_distribution<double> reach(5, 400);
  std::uniform_real_distribution<double> turn(0, 2 * std::numbers::pi);
  const double cx = coordinate(rng);
  const double cy = coordinate(rng);
  std::vector<double> angles{turn(rng), turn(rng), turn(rng), turn(rng)};
  std::sort(angles.begin(), angles.end());
  if (rng() % 2) std::reverse(angles.begin(), angles.end());  // either orientation
  std::vector<spatial::Vec2> ring;
  for (const double a : angles) {
    const double r = reach(rng);
    ring.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
  }
  return ring;
}

TEST_F(MemorySelection, crossing_selection_agrees_with_a_brute_force_test_on_random_drawings) {
  int selectedTotal = 0;
  int unsureTotal = 0;
  int compared = 0;
  for (const unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
    std::mt19937 rng(seed);
    Drawing& drawing = app->AddDocument("Random" + std::to_string(seed));
    app->Activate(drawing.Name());
    std::vector<EntityData> entities;
    for (int i = 0; i < 400; ++i) {
      entities.push_back(RandomEntity(rng, i));
      drawing.AddEntity(Space::Model(), entities.back());
    }
    auto document = app->ActiveDocument();
    for (int q = 0; q < 30; ++q) {
      const auto ring = RandomQuadrilateral(rng);
      automation::DoubleArray points;
      for (const auto& p : ring) points.values.insert(points.values.end(), {p.x, p.y, 0});
      auto set = document->SelectionSets()->Add("Q" + std::to_string(q));
      set->SelectByPolygon(7, points);
      std::set<std::string> got;
      set->ForEach([&](const host::EntityRef& e) {
        got.insert(drawing.Entity(drawing.HandleOfObjectId(e->ObjectID())).id);
      });
      set->Delete();
      const BPolygon polygon = ToPolygon(ring);
      for (const EntityData& e : entities) {
        const Reference expected = Touches(polygon, e);
        if (expected.unsure) {
          ++unsureTotal;
          continue;
        }
        ++compared;
        selectedTotal += expected.selected;
        EXPECT_EQ(got.count(e.id) == 1, expected.selected)
            << "seed " << seed << " polygon " << q << " entity " << e.id << " (" << KindName(e.kind)
            << ")";
      }
    }
  }
  // The random drawings exercise both answers, and the reference is rarely unsure.
  EXPECT_GT(selectedTotal, 1500);
  EXPECT_GT(compared - selectedTotal, 15000);
  EXPECT_LT(unsureTotal, 30);
}

TEST(CrossingPolygon, tells_inside_boundary_and_outside_for_either_orientation) {
  for (bool reversed : {false, true}) {
    std::vector<spatial::Vec2> ring{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    if (reversed) std::reverse(ring.begin(), ring.end());
    const spatial::CrossingPolygon polygon(ring);
    EXPECT_TRUE(polygon.Contains({5, 5}));
    EXPECT_TRUE(polygon.Contains({10, 5}));   // on an edge
    EXPECT_TRUE(polygon.Contains({10, 10}));  // on a corner
    EXPECT_FALSE(polygon.Contains({10.000001, 5}));
    EXPECT_TRUE(polygon.TouchesSegment({-5, -5}, {15, 15}));  // through, no end inside
    EXPECT_TRUE(polygon.TouchesSegment({10, -5}, {10, 15}));  // along an edge
    EXPECT_FALSE(polygon.TouchesSegment({11, -5}, {11, 15}));
    EXPECT_TRUE(polygon.TouchesCircle({5, 5}, 5));   // tangent to all four edges
    EXPECT_FALSE(polygon.TouchesCircle({5, 5}, 8));  // encloses it (corners at 7.07)
    EXPECT_TRUE(polygon.TouchesCircle({5, 5}, 7));
    EXPECT_TRUE(polygon.TouchesCircle({5, 5}, 7.0710678));  // through the corners
    EXPECT_TRUE(polygon.TouchesArc({5, 5}, 7, 0, 1));       // crosses the right edge
    EXPECT_FALSE(polygon.TouchesArc({20, 5}, 5, -1, 1));    // bulges away
    EXPECT_TRUE(polygon.TouchesArc({20, 5}, 10, 3, 3.3));   // reaches the right edge
  }
}

}  // namespace
}  // namespace nimbo::standalone::testing
