// A temporary selection set whose deletion the host refuses once: the refusal is told by
// the handler as any failure, and the set is deleted all the same on the way out, so that
// the next export within the same second can take the same name. (Found by the fault
// sweep: the set stayed, and every export until the clock's next second failed on it.)
#include "support/session_world.h"

namespace nimbo::testing {
namespace {

nlohmann::json Site() {
  return {{"name", "Site.dwg"},
          {"modelSpace",
           {{{"id", "house"}, {"type", "region"}, {"points", {{0, 0}, {4, 0}, {4, 4}}}},
            {{"id", "road"}, {"type", "line"}, {"start", {1, 1}}, {"end", {3, 3}}}}},
          {"objectData", {{{"table", "Parcels"}, {"fields", {"Area"}}}}}};
}

nlohmann::json Viewer() {
  return {
      {"views",
       {{"1", {{"active", true}, {"mode", "MOSAIC"}, {"total", {0, 50, 50, 50, 0, 0, 50, 0}}}}}}};
}

const nlohmann::json kRefuseOneDeletion = {{"do", "fail"},
                                           {"target", "drawing.SelectionSet.Delete"},
                                           {"number", -2145386420},
                                           {"description", "The set is in use."}};

std::string Refusal(const std::string& handler, const std::string& source) {
  return "dialog message \"Exception: " + handler + " -2145386420, The set is in use., " + source +
         "\" caption \"VeskNimboDock17\"";
}

TEST(temporary_sets, a_set_whose_deletion_is_refused_once_is_deleted_on_the_way_out) {
  World world(Session(Site(), Viewer()));
  standalone::Drawing& site = world.Drawing("Site.dwg");
  world.Raise("OverlaysPermissionChanged", {Variant(automation::VBool::From(true))});

  std::vector<Variant> extent(10, Variant(1.0));
  extent.push_back(Variant(1));
  world.Step(kRefuseOneDeletion);
  EXPECT_EQ(Errors(world.Raise("ExtentChanged", extent)),
            std::vector<std::string>{Refusal("vnvEvents_ExtentChanged", "AddFeatures")});
  EXPECT_EQ(site.SelectionSetNames(), std::vector<std::string>{});
  // The same second, the same name: the next export works.
  EXPECT_EQ(Errors(world.Raise("ExtentChanged", extent)), std::vector<std::string>{});

  world.Step(kRefuseOneDeletion);
  world->person.Give(standalone::ButtonAnswer{"Yes"});
  world->person.Give(standalone::SelectAnswer{{"house"}});
  EXPECT_EQ(Errors(world.Raise("HeightMeasured",
                               {Variant(3.0), Variant("<Save as extrusion (only for heights)>"),
                                Variant("<Save as extrusion (only for heights)>")})),
            std::vector<std::string>{Refusal("vnvEvents_HeightMeasured", "SaveMeasurement")});
  EXPECT_EQ(site.SelectionSetNames(), std::vector<std::string>{});

  world.Step(kRefuseOneDeletion);
  world->person.Give(standalone::ButtonAnswer{"Yes"});
  world->person.Give(standalone::SelectAnswer{{"road"}});
  EXPECT_EQ(
      Errors(world.Raise("AreaMeasured", {Variant(3.0), Variant("Parcels"), Variant("Area")})),
      std::vector<std::string>{Refusal("vnvEvents_AreaMeasured", "SaveMeasurement")});
  EXPECT_EQ(site.SelectionSetNames(), std::vector<std::string>{});
  // What was made before the refusal stays: the solid and the record.
  EXPECT_EQ(site.ObjectDataRecords().size(), 1u);
  EXPECT_EQ(world->person.Remaining(), 0u);
}

}  // namespace
}  // namespace nimbo::testing
