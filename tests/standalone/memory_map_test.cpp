// The Map application's object data: tables and fields from the drawing's data, records
// attached by object id.
#include "host/map.h"
#include "standalone/memory_fixture.h"

namespace nimbo::standalone::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class MemoryMap : public MemoryHostTest {
 protected:
  MemoryMap() {
    site.AddObjectDataTable(ObjectDataTable{"Parcels", {"Area", "Owner"}});
    site.AddObjectDataTable(ObjectDataTable{"Empty", {}});
    mapApp = std::dynamic_pointer_cast<host::MapApplication>(
        app->GetInterfaceObject("AutoCADMap.Application"));
    tables = mapApp->Project(doc)->ODTables();
  }
  std::shared_ptr<host::MapApplication> mapApp;
  std::shared_ptr<host::ODTables> tables;
};

TEST_F(MemoryMap, tables_and_fields_come_in_the_drawings_order) {
  ASSERT_EQ(tables->Count(), 2);
  EXPECT_EQ(tables->Item(0)->Name(), "Parcels");
  EXPECT_EQ(tables->Item(1)->Name(), "Empty");
  auto fields = tables->Item(0)->FieldDefinitions();
  ASSERT_EQ(fields->Count(), 2);
  EXPECT_EQ(fields->Item(0)->Name(), "Area");
  EXPECT_EQ(fields->Item(1)->Name(), "Owner");
  EXPECT_EQ(tables->Item(1)->FieldDefinitions()->Count(), 0);
}

TEST_F(MemoryMap, lookups_by_name_answer_null_when_absent) {
  EXPECT_EQ(tables->Find("Parcels")->Name(), "Parcels");
  EXPECT_EQ(tables->Find("Roads"), nullptr);
  auto fields = tables->Find("Parcels")->FieldDefinitions();
  EXPECT_EQ(fields->Find("Owner")->Name(), "Owner");
  EXPECT_EQ(fields->Find("Height"), nullptr);
  EXPECT_EQ(ErrorOf([&] { tables->Item(2); }).number(), host_error::kKeyNotFound);
}

TEST_F(MemoryMap, a_record_attaches_to_an_entity_by_its_object_id) {
  site.AddEntity(Space::Model(), PointAt("e1", 0, 0));
  site.AddEntity(Space::Model(), PointAt("e2", 1, 0));
  auto table = tables->Find("Parcels");
  for (int i = 0; i < 2; ++i) {
    auto record = table->CreateRecord();
    record->SetField("Owner", "Smith");
    record->SetField("Area", 12.5);
    EXPECT_TRUE(record->AttachTo(doc->ModelSpace()->Item(i)->ObjectID()));
  }
  auto again = table->CreateRecord();
  again->SetField("Area", 3.0);
  EXPECT_TRUE(again->AttachTo(doc->ModelSpace()->Item(0)->ObjectID()));
  const auto& records = site.ObjectDataRecords();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0].table, "Parcels");
  EXPECT_EQ(records[0].object, "e1");
  ASSERT_EQ(records[0].values.size(), 2u);  // in the table's field order
  EXPECT_EQ(records[0].values[0].first, "Area");
  EXPECT_EQ(records[0].values[0].second, automation::Variant(12.5));
  EXPECT_EQ(records[0].values[1].first, "Owner");
  EXPECT_EQ(records[0].values[1].second, automation::Variant("Smith"));
  EXPECT_EQ(records[1].object, "e2");
  EXPECT_EQ(records[2].object, "e1");  // a second record on the same object
  EXPECT_EQ(records[2].values.size(), 1u);
}

TEST_F(MemoryMap, an_unknown_object_id_is_not_attached) {
  auto record = tables->Find("Parcels")->CreateRecord();
  EXPECT_FALSE(record->AttachTo(12345));
  auto point = doc->ModelSpace()->AddPoint({0, 0, 0});
  const int64_t id = point->ObjectID();
  point->Delete();
  EXPECT_FALSE(record->AttachTo(id));
  EXPECT_TRUE(site.ObjectDataRecords().empty());
}

TEST_F(MemoryMap, an_unknown_field_is_a_clear_error) {
  auto record = tables->Find("Parcels")->CreateRecord();
  auto error = ErrorOf([&] { record->SetField("Height", 1.0); });
  EXPECT_EQ(error.number(), host_error::kKeyNotFound);
  EXPECT_THAT(error.description(), HasSubstr("\"Parcels\""));
  EXPECT_THAT(error.description(), HasSubstr("\"Height\""));
}

TEST_F(MemoryMap, a_project_is_per_document) {
  Drawing& other = app->AddDocument("Other");
  other.AddObjectDataTable(ObjectDataTable{"Trees", {"Species"}});
  auto otherTables = mapApp->Project(app->DocumentObject("Other"))->ODTables();
  ASSERT_EQ(otherTables->Count(), 1);
  EXPECT_EQ(otherTables->Item(0)->Name(), "Trees");
  // An entity of Site is unknown to a record of Other.
  site.AddEntity(Space::Model(), PointAt("e1", 0, 0));
  EXPECT_FALSE(
      otherTables->Item(0)->CreateRecord()->AttachTo(doc->ModelSpace()->Item(0)->ObjectID()));
  EXPECT_EQ(ErrorOf([&] { mapApp->Project(nullptr); }).number(), host_error::kInvalidInput);
}

}  // namespace
}  // namespace nimbo::standalone::testing
