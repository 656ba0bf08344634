// Small hand-written CAD entities and a model space that records what is done to them, in
// order, and can be told to fail one named call. Every member the geometry does not use
// fails loudly, and under StrictFakes also fails the test.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "automation/error.h"
#include "host/cad.h"
#include "support/strict_fakes.h"

namespace nimbo::testing {

// The calls made on the fakes, in order ("AddLightWeightPolyline", "SetColor 256", ...).
struct CallLog {
  std::vector<std::string> calls;
  // A call whose text starts with this fails with error 5 after being logged.
  std::string failAt;

  void Record(const std::string& call) {
    calls.push_back(call);
    if (!failAt.empty() && call.rfind(failAt, 0) == 0) {
      throw automation::AutomationError(-2145386476, "Key not found", "AutoCAD");
    }
  }
};

template <class Kind>
class FakeEntity : public Kind {
 public:
  FakeEntity(std::string objectName, CallLog* log)
      : objectName_(std::move(objectName)), log_(log) {}

  std::string ObjectName() override {
    if (failObjectName) throw automation::errors::Standard(automation::errors::kNotSupported);
    return objectName_;
  }
  int64_t ObjectID() override { UnexpectedCall("ObjectID"); }
  std::string Layer() override { return layer; }
  void SetLayer(const std::string& name) override {
    Log("SetLayer " + name);
    layer = name;
  }
  void SetColor(int32_t colorIndex) override {
    Log("SetColor " + std::to_string(colorIndex));
    color = colorIndex;
  }
  std::shared_ptr<host::Color> TrueColor() override { UnexpectedCall("TrueColor"); }
  int32_t Lineweight() override { UnexpectedCall("Lineweight"); }
  void Update() override { Log("Update"); }
  void Delete() override { UnexpectedCall("Delete"); }

  std::string layer = "0";
  int32_t color = 0;
  bool failObjectName = false;

 protected:
  void Log(const std::string& call) {
    if (log_ != nullptr) log_->Record(call);
  }

 private:
  std::string objectName_;
  CallLog* log_;
};

class FakePolyline : public FakeEntity<host::LightweightPolyline> {
 public:
  explicit FakePolyline(automation::DoubleArray coordinates, CallLog* log = nullptr,
                        std::string objectName = "AcDbPolyline")
      : FakeEntity(std::move(objectName), log), coordinates(std::move(coordinates)) {}
  automation::DoubleArray Coordinates() override { return coordinates; }
  automation::DoubleArray coordinates;
};

class FakeLine : public FakeEntity<host::Line> {
 public:
  FakeLine(host::Point3 start, host::Point3 end)
      : FakeEntity("AcDbLine", nullptr), start(start), end(end) {}
  host::Point3 StartPoint() override {
    ++startReads;
    return start;
  }
  host::Point3 EndPoint() override {
    ++endReads;
    if (failEndPoint) throw automation::errors::Standard(automation::errors::kInvalidCall);
    return end;
  }
  host::Point3 start, end;
  int startReads = 0;
  int endReads = 0;
  bool failEndPoint = false;
};

class FakePoint : public FakeEntity<host::PointEntity> {
 public:
  explicit FakePoint(host::Point3 at) : FakeEntity("AcDbPoint", nullptr), at(at) {}
  host::Point3 Coordinates() override { return at; }
  host::Point3 at;
};

// An entity kind the geometry does not know (a circle, a region, ...).
class FakeOtherEntity : public FakeEntity<host::Entity> {
 public:
  explicit FakeOtherEntity(std::string objectName) : FakeEntity(std::move(objectName), nullptr) {}
};

// An automation object that is no drawing entity at all.
class FakeNonEntity : public automation::Object {};

// Model space: only AddLightWeightPolyline is expected.
class FakeModelSpace : public host::EntityCollection {
 public:
  explicit FakeModelSpace(CallLog& log) : log_(log) {}

  std::shared_ptr<host::LightweightPolyline> AddLightWeightPolyline(
      const automation::DoubleArray& vertices) override {
    log_.Record("AddLightWeightPolyline");
    auto polyline = std::make_shared<FakePolyline>(vertices, &log_);
    added.push_back(polyline);
    return polyline;
  }

  int32_t Count() override { return static_cast<int32_t>(added.size()); }
  host::EntityRef Item(int32_t) override { UnexpectedCall("Item"); }
  void ForEach(const std::function<void(const host::EntityRef&)>&) override {
    UnexpectedCall("ForEach");
  }
  std::shared_ptr<host::PointEntity> AddPoint(const host::Point3&) override {
    UnexpectedCall("AddPoint");
  }
  std::shared_ptr<host::Text> AddText(const std::string&, const host::Point3&, double) override {
    UnexpectedCall("AddText");
  }
  std::shared_ptr<host::Dimension> AddDimAligned(const host::Point3&, const host::Point3&,
                                                 const host::Point3&) override {
    UnexpectedCall("AddDimAligned");
  }
  std::shared_ptr<host::Dimension> AddDimAngular(const host::Point3&, const host::Point3&,
                                                 const host::Point3&,
                                                 const host::Point3&) override {
    UnexpectedCall("AddDimAngular");
  }
  std::shared_ptr<host::Solid3d> AddExtrudedSolid(const std::shared_ptr<host::Region>&, double,
                                                  double) override {
    UnexpectedCall("AddExtrudedSolid");
  }
  std::shared_ptr<host::BlockReference> InsertBlock(const host::Point3&, const std::string&, double,
                                                    double, double, double) override {
    UnexpectedCall("InsertBlock");
  }
  std::shared_ptr<host::AttributeDefinition> AddAttribute(double, int32_t, const std::string&,
                                                          const host::Point3&, const std::string&,
                                                          const std::string&) override {
    UnexpectedCall("AddAttribute");
  }

  std::vector<std::shared_ptr<FakePolyline>> added;

 private:
  CallLog& log_;
};

// A document that hands out its model space; everything else is unexpected.
class FakeDocument : public host::Document {
 public:
  explicit FakeDocument(std::shared_ptr<host::EntityCollection> modelSpace)
      : modelSpace_(std::move(modelSpace)) {}

  std::shared_ptr<host::EntityCollection> ModelSpace() override { return modelSpace_; }

  std::string Name() override { return "Drawing1.dwg"; }
  automation::Variant GetVariable(const std::string&) override { UnexpectedCall("GetVariable"); }
  void SetVariable(const std::string&, const automation::Variant&) override {
    UnexpectedCall("SetVariable");
  }
  std::shared_ptr<host::Application> Application() override { UnexpectedCall("Application"); }
  std::shared_ptr<host::EntityCollection> PaperSpace() override { UnexpectedCall("PaperSpace"); }
  std::shared_ptr<host::Layers> Layers() override { UnexpectedCall("Layers"); }
  std::shared_ptr<host::Blocks> Blocks() override { UnexpectedCall("Blocks"); }
  std::shared_ptr<host::SelectionSets> SelectionSets() override { UnexpectedCall("SelectionSets"); }
  std::shared_ptr<host::Utility> Utility() override { UnexpectedCall("Utility"); }
  int32_t Advise(host::DocumentEvents*) override { UnexpectedCall("Advise"); }
  void Unadvise(int32_t) override { UnexpectedCall("Unadvise"); }

 private:
  std::shared_ptr<host::EntityCollection> modelSpace_;
};

}  // namespace nimbo::testing
