// The entities and the entity collections (model space, paper space, block definitions).
#include "automation/convert.h"
#include "standalone/cad/memory_host.h"
#include "win/standins/cad_arguments.h"
#include "win/standins/cad_dispids.h"
#include "win/standins/cad_members.h"
#include "win/standins/cad_objects.h"
#include "win/standins/nimbo_cad_standin_ids.h"

namespace nimbo::win::standins {

using automation::ToDouble;
using automation::ToLong;
using automation::ToString;
using automation::Variant;
namespace id = cad_dispid;

namespace {

// The dispinterface of an entity, by the C++ type of the in-memory object; the two
// kinds of dimension share one, so their kind tells them apart.
const IID& EntityInterface(const host::Entity& entity) {
  if (dynamic_cast<const host::LightweightPolyline*>(&entity)) return DIID_IAcadLWPolyline;
  if (dynamic_cast<const host::Line*>(&entity)) return DIID_IAcadLine;
  if (dynamic_cast<const host::PointEntity*>(&entity)) return DIID_IAcadPoint;
  if (dynamic_cast<const host::Text*>(&entity)) return DIID_IAcadText;
  if (dynamic_cast<const host::Region*>(&entity)) return DIID_IAcadRegion;
  if (dynamic_cast<const host::Solid3d*>(&entity)) return DIID_IAcad3DSolid;
  if (dynamic_cast<const host::BlockReference*>(&entity)) return DIID_IAcadBlockReference;
  if (dynamic_cast<const host::AttributeDefinition*>(&entity)) return DIID_IAcadAttribute;
  if (dynamic_cast<const host::Dimension*>(&entity)) {
    return standalone::KindOfEntity(entity) == standalone::EntityKind::AngularDimension
               ? DIID_IAcadDimAngular
               : DIID_IAcadDimAligned;
  }
  return DIID_IAcadEntity;
}

template <class T>
std::shared_ptr<T> As(const host::EntityRef& entity) {
  return std::static_pointer_cast<T>(entity);  // EntityInterface chose by this type
}

}  // namespace

std::vector<com::DispatchMember> CadObjects::EntityMembers(const host::EntityRef& entity,
                                                           REFIID iid) {
  auto self = shared_from_this();
  std::vector<com::DispatchMember> members = {
      Get("ObjectName", id::kObjectName,
          [entity](std::span<Variant> a) {
            Expect(a, 0, 0);
            return Variant(entity->ObjectName());
          }),
      Get("ObjectID", id::kObjectID,
          [entity](std::span<Variant> a) {
            Expect(a, 0, 0);
            return Variant(automation::CheckedLong(entity->ObjectID()));
          }),
      GetPut(
          "Layer", id::kLayer,
          [entity](std::span<Variant> a) {
            Expect(a, 0, 0);
            return Variant(entity->Layer());
          },
          [entity](std::span<Variant> a) {
            Expect(a, 1, 1);
            entity->SetLayer(ToString(a[0]));
            return Variant();
          }),
      Put("color", id::kColor,
          [entity](std::span<Variant> a) {
            Expect(a, 1, 1);
            entity->SetColor(ToLong(a[0]));
            return Variant();
          }),
      Get("TrueColor", id::kTrueColor,
          [self, entity](std::span<Variant> a) {
            Expect(a, 0, 0);
            return self->Color(entity->TrueColor());
          }),
      Get("Lineweight", id::kLineweight,
          [entity](std::span<Variant> a) {
            Expect(a, 0, 0);
            return Variant(entity->Lineweight());
          }),
      Method("Update", id::kUpdate,
             [entity](std::span<Variant> a) {
               Expect(a, 0, 0);
               entity->Update();
               return Variant();
             }),
      Method("Delete", id::kDelete,
             [entity](std::span<Variant> a) {
               Expect(a, 0, 0);
               entity->Delete();
               return Variant();
             }),
  };
  auto point = [](const char* name, DISPID dispid, auto read) {
    return Get(name, dispid, [read](std::span<Variant> a) {
      Expect(a, 0, 0);
      return PointValue(read());
    });
  };
  if (iid == DIID_IAcadLWPolyline) {
    auto polyline = As<host::LightweightPolyline>(entity);
    members.push_back(Get("Coordinates", id::kCoordinates, [polyline](std::span<Variant> a) {
      Expect(a, 0, 0);
      return Variant(polyline->Coordinates());
    }));
  } else if (iid == DIID_IAcadLine) {
    auto line = As<host::Line>(entity);
    members.push_back(point("StartPoint", id::kStartPoint, [line] { return line->StartPoint(); }));
    members.push_back(point("EndPoint", id::kEndPoint, [line] { return line->EndPoint(); }));
  } else if (iid == DIID_IAcadPoint) {
    auto at = As<host::PointEntity>(entity);
    members.push_back(point("Coordinates", id::kCoordinates, [at] { return at->Coordinates(); }));
  } else if (iid == DIID_IAcadDimAligned || iid == DIID_IAcadDimAngular) {
    auto dimension = As<host::Dimension>(entity);
    members.push_back(Put("TextOverride", id::kTextOverride, [dimension](std::span<Variant> a) {
      Expect(a, 1, 1);
      dimension->SetTextOverride(ToString(a[0]));
      return Variant();
    }));
    members.push_back(Put("TextHeight", id::kTextHeight, [dimension](std::span<Variant> a) {
      Expect(a, 1, 1);
      dimension->SetTextHeight(ToDouble(a[0]));
      return Variant();
    }));
    members.push_back(Put("ArrowheadSize", id::kArrowheadSize, [dimension](std::span<Variant> a) {
      Expect(a, 1, 1);
      dimension->SetArrowheadSize(ToDouble(a[0]));
      return Variant();
    }));
  } else if (iid == DIID_IAcadAttribute) {
    auto attribute = As<host::AttributeDefinition>(entity);
    members.push_back(Get("TagString", id::kTagString, [attribute](std::span<Variant> a) {
      Expect(a, 0, 0);
      return Variant(attribute->TagString());
    }));
    members.push_back(GetPut(
        "TextString", id::kTextString,
        [attribute](std::span<Variant> a) {
          Expect(a, 0, 0);
          return Variant(attribute->TextString());
        },
        [attribute](std::span<Variant> a) {
          Expect(a, 1, 1);
          attribute->SetTextString(ToString(a[0]));
          return Variant();
        }));
    members.push_back(Put("Height", id::kHeight, [attribute](std::span<Variant> a) {
      Expect(a, 1, 1);
      attribute->SetHeight(ToDouble(a[0]));
      return Variant();
    }));
  }
  return members;
}

Variant CadObjects::Entity(const host::EntityRef& entity) {
  if (!entity) return AsVariant({});
  const IID& iid = EntityInterface(*entity);
  return AsVariant(Make(iid, EntityMembers(entity, iid), entity));
}

std::vector<com::DispatchMember> CadObjects::SpaceMembers(
    const std::shared_ptr<host::EntityCollection>& space) {
  auto self = shared_from_this();
  return {
      Get("Count", id::kCount,
          [space](std::span<Variant> a) {
            Expect(a, 0, 0);
            return Variant(space->Count());
          }),
      Method("Item", id::kItem,
             [self, space](std::span<Variant> a) {
               Expect(a, 1, 1);
               return self->Entity(space->Item(ToLong(a[0])));
             }),
      NewEnum(self, space, &standalone::EntityStillExists, &CadObjects::Entity),
      Method("AddPoint", id::kAddPoint,
             [self, space](std::span<Variant> a) {
               Expect(a, 1, 1);
               return self->Entity(space->AddPoint(PointOf(a[0], "Point")));
             }),
      Method("AddLightWeightPolyline", id::kAddLightWeightPolyline,
             [self, space](std::span<Variant> a) {
               Expect(a, 1, 1);
               return self->Entity(space->AddLightWeightPolyline(NumbersOf(a[0], "VerticesList")));
             }),
      Method("AddText", id::kAddText,
             [self, space](std::span<Variant> a) {
               Expect(a, 3, 3);
               return self->Entity(
                   space->AddText(ToString(a[0]), PointOf(a[1], "InsertionPoint"), ToDouble(a[2])));
             }),
      Method("AddDimAligned", id::kAddDimAligned,
             [self, space](std::span<Variant> a) {
               Expect(a, 3, 3);
               return self->Entity(space->AddDimAligned(PointOf(a[0], "ExtLine1Point"),
                                                        PointOf(a[1], "ExtLine2Point"),
                                                        PointOf(a[2], "TextPosition")));
             }),
      Method("AddDimAngular", id::kAddDimAngular,
             [self, space](std::span<Variant> a) {
               Expect(a, 4, 4);
               return self->Entity(space->AddDimAngular(
                   PointOf(a[0], "AngleVertex"), PointOf(a[1], "FirstEndPoint"),
                   PointOf(a[2], "SecondEndPoint"), PointOf(a[3], "TextPoint")));
             }),
      Method("AddExtrudedSolid", id::kAddExtrudedSolid,
             [self, space](std::span<Variant> a) {
               Expect(a, 3, 3);
               return self->Entity(space->AddExtrudedSolid(InnerAs<host::Region>(a[0]),
                                                           ToDouble(a[1]), ToDouble(a[2])));
             }),
      Method("InsertBlock", id::kInsertBlock,
             [self, space](std::span<Variant> a) {
               Expect(a, 6, 6);
               return self->Entity(space->InsertBlock(
                   PointOf(a[0], "InsertionPoint"), ToString(a[1]), ToDouble(a[2]), ToDouble(a[3]),
                   ToDouble(a[4]), ToDouble(a[5])));
             }),
      Method("AddAttribute", id::kAddAttribute,
             [self, space](std::span<Variant> a) {
               Expect(a, 6, 6);
               return self->Entity(space->AddAttribute(ToDouble(a[0]), ToLong(a[1]), ToString(a[2]),
                                                       PointOf(a[3], "InsertionPoint"),
                                                       ToString(a[4]), ToString(a[5])));
             }),
  };
}

Variant CadObjects::Space(const std::shared_ptr<host::EntityCollection>& space, REFIID iid) {
  if (!space) return AsVariant({});
  return AsVariant(Make(iid, SpaceMembers(space), space));
}

Variant CadObjects::Block(const std::shared_ptr<host::Block>& block) {
  if (!block) return AsVariant({});
  std::vector<com::DispatchMember> members = SpaceMembers(block);
  members.push_back(Get("Name", id::kName, [block](std::span<Variant> a) {
    Expect(a, 0, 0);
    return Variant(block->Name());
  }));
  return AsVariant(Make(DIID_IAcadBlock, std::move(members), block));
}

}  // namespace nimbo::win::standins
