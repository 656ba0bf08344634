#include "win/standins/cad_objects.h"

#include <cstring>
#include <optional>

#include "automation/convert.h"
#include "automation/error.h"
#include "standalone/cad/memory_host.h"
#include "win/com/dispatch_object.h"
#include "win/com/error_from_call.h"
#include "win/standins/cad_arguments.h"
#include "win/standins/cad_dispids.h"
#include "win/standins/cad_members.h"
#include "win/standins/document_event_relays.h"
#include "win/standins/nimbo_cad_standin_ids.h"
#include "win/standins/standin_type_library.h"

namespace nimbo::win::standins {

using automation::ToDouble;
using automation::ToLong;
using automation::ToString;
using automation::Variant;
namespace id = cad_dispid;

std::shared_ptr<CadObjects> CadObjects::Create() {
  return std::shared_ptr<CadObjects>(new CadObjects());
}

CadObjects::CadObjects() : library_(StandinTypeLibrary(kCadTypeLibrary)) {}

com::ComPtr<ITypeInfo> CadObjects::TypeInfo(REFGUID guid) {
  for (const auto& [known, info] : infos_) {
    if (std::memcmp(&known, &guid, sizeof(GUID)) == 0) return info;
  }
  com::ComPtr<ITypeInfo> info;
  HRESULT result = library_->GetTypeInfoOfGuid(guid, info.Put());
  if (FAILED(result)) throw com::ErrorFromFailedCall(result, nullptr, nullptr, IID_NULL);
  infos_.emplace_back(guid, info);
  return info;
}

com::ComPtr<com::TableDispatch> CadObjects::Make(REFIID iid,
                                                 std::vector<com::DispatchMember> members,
                                                 automation::ObjectRef inner) {
  com::DispatchDescription description;
  description.interfaceId = iid;
  description.members = std::move(members);
  description.typeInfo = TypeInfo(iid);
  description.inner = std::move(inner);
  description.ownerGone = gone_;
  return com::TableDispatch::Create(std::move(description));
}

Variant CadObjects::AsVariant(const com::ComPtr<com::TableDispatch>& object) {
  if (!object) return Variant(automation::ObjectRef());
  return Variant(automation::ObjectRef(
      std::make_shared<com::DispatchObject>(com::ComPtr<IDispatch>(object.Get()))));
}

void CadObjects::Shutdown() {
  *gone_ = true;
  for (const std::weak_ptr<DocumentEventRelays>& held : documents_) {
    if (auto relays = held.lock()) {
      com::TableDispatch* object = relays->Object();
      relays->Shutdown();
      if (object != nullptr) object->Disconnect();
    }
  }
  documents_.clear();
}

com::ComPtr<com::TableDispatch> CadObjects::Application(const host::ApplicationRef& application) {
  if (!application) return {};
  auto self = shared_from_this();
  std::vector<com::DispatchMember> members = {
      Get("ActiveDocument", id::kActiveDocument,
          [self, application](std::span<Variant> a) {
            Expect(a, 0, 0);
            return self->Document(application->ActiveDocument());
          }),
      Method("GetInterfaceObject", id::kGetInterfaceObject,
             [self, application](std::span<Variant> a) {
               Expect(a, 1, 1);
               return self->InterfaceObject(application->GetInterfaceObject(ToString(a[0])));
             }),
      Method("ZoomCenter", id::kZoomCenter,
             [application](std::span<Variant> a) {
               Expect(a, 2, 2);
               application->ZoomCenter(PointOf(a[0], "Center"), ToDouble(a[1]));
               return Variant();
             }),
  };
  com::DispatchDescription description;
  description.interfaceId = DIID_IAcadApplication;
  description.members = std::move(members);
  description.typeInfo = TypeInfo(DIID_IAcadApplication);
  description.classInfo = TypeInfo(CLSID_AcadApplication);
  description.inner = application;
  description.ownerGone = gone_;
  return com::TableDispatch::Create(std::move(description));
}

Variant CadObjects::Document(const host::DocumentRef& document) {
  if (!document) return AsVariant({});
  auto self = shared_from_this();
  std::vector<com::DispatchMember> members = {
      Get("Name", id::kName,
          [document](std::span<Variant> a) {
            Expect(a, 0, 0);
            return Variant(document->Name());
          }),
      Method("GetVariable", id::kGetVariable,
             [document](std::span<Variant> a) {
               Expect(a, 1, 1);
               return document->GetVariable(ToString(a[0]));
             }),
      Method("SetVariable", id::kSetVariable,
             [document](std::span<Variant> a) {
               Expect(a, 2, 2);
               document->SetVariable(ToString(a[0]), a[1].Value());
               return Variant();
             }),
      Get("Application", id::kApplication,
          [self, document](std::span<Variant> a) {
            Expect(a, 0, 0);
            return AsVariant(self->Application(document->Application()));
          }),
      Get("ModelSpace", id::kModelSpace,
          [self, document](std::span<Variant> a) {
            Expect(a, 0, 0);
            return self->Space(document->ModelSpace(), DIID_IAcadModelSpace);
          }),
      Get("PaperSpace", id::kPaperSpace,
          [self, document](std::span<Variant> a) {
            Expect(a, 0, 0);
            return self->Space(document->PaperSpace(), DIID_IAcadPaperSpace);
          }),
      Get("Layers", id::kLayers,
          [self, document](std::span<Variant> a) {
            Expect(a, 0, 0);
            return self->Layers(document->Layers());
          }),
      Get("Blocks", id::kBlocks,
          [self, document](std::span<Variant> a) {
            Expect(a, 0, 0);
            return self->Blocks(document->Blocks());
          }),
      Get("SelectionSets", id::kSelectionSets,
          [self, document](std::span<Variant> a) {
            Expect(a, 0, 0);
            return self->SelectionSets(document->SelectionSets());
          }),
      Get("Utility", id::kUtility,
          [self, document](std::span<Variant> a) {
            Expect(a, 0, 0);
            return self->Utility(document->Utility());
          }),
  };
  auto relays = std::make_shared<DocumentEventRelays>(document);
  com::DispatchDescription description;
  description.interfaceId = DIID_IAcadDocument;
  description.members = std::move(members);
  description.typeInfo = TypeInfo(DIID_IAcadDocument);
  description.classInfo = TypeInfo(CLSID_AcadDocument);
  description.eventInterface = DIID__DAcadDocumentEvents;
  description.connectionHooks.advised = [relays](DWORD cookie) { relays->Advised(cookie); };
  description.connectionHooks.unadvised = [relays](DWORD cookie) { relays->Unadvised(cookie); };
  description.inner = document;
  description.ownerGone = gone_;
  com::ComPtr<com::TableDispatch> object = com::TableDispatch::Create(std::move(description));
  relays->Attach(object.Get());
  // Documents come and go with the drawings a person opens: the list keeps the live ones.
  std::erase_if(documents_, [](const auto& held) { return held.expired(); });
  documents_.push_back(relays);
  return AsVariant(object);
}

Variant CadObjects::Blocks(const std::shared_ptr<host::Blocks>& blocks) {
  if (!blocks) return AsVariant({});
  auto self = shared_from_this();
  return AsVariant(Make(DIID_IAcadBlocks,
                        {
                            Get("Count", id::kCount,
                                [blocks](std::span<Variant> a) {
                                  Expect(a, 0, 0);
                                  return Variant(blocks->Count());
                                }),
                            Method("Item", id::kItem,
                                   [self, blocks](std::span<Variant> a) {
                                     Expect(a, 1, 1);
                                     return self->Block(blocks->Item(ToLong(a[0])));
                                   }),
                            Method("Add", id::kAdd,
                                   [self, blocks](std::span<Variant> a) {
                                     Expect(a, 2, 2);
                                     return self->Block(blocks->Add(PointOf(a[0], "InsertionPoint"),
                                                                    ToString(a[1])));
                                   }),
                        },
                        blocks));
}

Variant CadObjects::Layers(const std::shared_ptr<host::Layers>& layers) {
  if (!layers) return AsVariant({});
  auto self = shared_from_this();
  return AsVariant(
      Make(DIID_IAcadLayers,
           {
               Get("Count", id::kCount,
                   [layers](std::span<Variant> a) {
                     Expect(a, 0, 0);
                     return Variant(layers->Count());
                   }),
               Method("Item", id::kItem,
                      [self, layers](std::span<Variant> a) {
                        Expect(a, 1, 1);
                        return self->Layer(layers->Item(ToLong(a[0])));
                      }),
               Method("Add", id::kAdd,
                      [self, layers](std::span<Variant> a) {
                        Expect(a, 1, 1);
                        return self->Layer(layers->Add(ToString(a[0])));
                      }),
               NewEnum(self, layers, &standalone::LayerStillExists, &CadObjects::Layer),
           },
           layers));
}

Variant CadObjects::Layer(const host::LayerRef& layer) {
  if (!layer) return AsVariant({});
  auto self = shared_from_this();
  return AsVariant(Make(DIID_IAcadLayer,
                        {
                            Get("Name", id::kName,
                                [layer](std::span<Variant> a) {
                                  Expect(a, 0, 0);
                                  return Variant(layer->Name());
                                }),
                            Put("color", id::kColor,
                                [layer](std::span<Variant> a) {
                                  Expect(a, 1, 1);
                                  layer->SetColor(ToLong(a[0]));
                                  return Variant();
                                }),
                            Get("LayerOn", id::kLayerOn,
                                [layer](std::span<Variant> a) {
                                  Expect(a, 0, 0);
                                  return Variant::Bool(layer->LayerOn());
                                }),
                            Get("TrueColor", id::kTrueColor,
                                [self, layer](std::span<Variant> a) {
                                  Expect(a, 0, 0);
                                  return self->Color(layer->TrueColor());
                                }),
                            Get("Lineweight", id::kLineweight,
                                [layer](std::span<Variant> a) {
                                  Expect(a, 0, 0);
                                  return Variant(layer->Lineweight());
                                }),
                            Method("Delete", id::kDelete,
                                   [layer](std::span<Variant> a) {
                                     Expect(a, 0, 0);
                                     layer->Delete();
                                     return Variant();
                                   }),
                        },
                        layer));
}

Variant CadObjects::SelectionSets(const std::shared_ptr<host::SelectionSets>& sets) {
  if (!sets) return AsVariant({});
  auto self = shared_from_this();
  return AsVariant(Make(DIID_IAcadSelectionSets,
                        {
                            Get("Count", id::kCount,
                                [sets](std::span<Variant> a) {
                                  Expect(a, 0, 0);
                                  return Variant(sets->Count());
                                }),
                            Method("Add", id::kAdd,
                                   [self, sets](std::span<Variant> a) {
                                     Expect(a, 1, 1);
                                     return self->SelectionSet(sets->Add(ToString(a[0])));
                                   }),
                        },
                        sets));
}

namespace {

// The host takes no filter where these members take an optional one.
void RefuseFilter(std::span<Variant> a, size_t from, const char* member) {
  for (size_t i = from; i < a.size(); ++i) {
    if (!a[i].IsMissing()) {
      throw automation::AutomationError(
          automation::errors::kInvalidCall,
          std::string("Invalid procedure call or argument: ") + member + " takes no filter here");
    }
  }
}

}  // namespace

Variant CadObjects::SelectionSet(const std::shared_ptr<host::SelectionSet>& set) {
  if (!set) return AsVariant({});
  auto self = shared_from_this();
  return AsVariant(
      Make(DIID_IAcadSelectionSet,
           {
               Get("Name", id::kName,
                   [set](std::span<Variant> a) {
                     Expect(a, 0, 0);
                     return Variant(set->Name());
                   }),
               Method("SelectOnScreen", id::kSelectOnScreen,
                      [set](std::span<Variant> a) {
                        Expect(a, 0, 2);
                        RefuseFilter(a, 0, "SelectOnScreen");
                        set->SelectOnScreen();
                        return Variant();
                      }),
               Method("SelectByPolygon", id::kSelectByPolygon,
                      [set](std::span<Variant> a) {
                        Expect(a, 2, 4);
                        RefuseFilter(a, 2, "SelectByPolygon");
                        set->SelectByPolygon(ToLong(a[0]), NumbersOf(a[1], "PointsList"));
                        return Variant();
                      }),
               Method("Select", id::kSelect,
                      [set](std::span<Variant> a) {
                        Expect(a, 1, 5);
                        if (!Optional(a, 1).IsMissing() || !Optional(a, 2).IsMissing()) {
                          throw automation::AutomationError(
                              automation::errors::kInvalidCall,
                              "Invalid procedure call or argument: Select takes no points here");
                        }
                        std::vector<int16_t> types;
                        std::vector<Variant> data;
                        const Variant filterType = Optional(a, 3);
                        const Variant filterData = Optional(a, 4);
                        if (filterType.IsMissing() != filterData.IsMissing()) {
                          throw automation::AutomationError(
                              automation::errors::kInvalidCall,
                              "Invalid procedure call or argument: FilterType and FilterData go "
                              "together");
                        }
                        if (!filterType.IsMissing()) {
                          if (filterType.Type() != automation::VarType::VariantArray ||
                              filterData.Type() != automation::VarType::VariantArray) {
                            throw automation::errors::Standard(automation::errors::kTypeMismatch);
                          }
                          for (const Variant& code : filterType.AsVariantArray().values) {
                            types.push_back(automation::ToInteger(code));
                          }
                          for (const Variant& value : filterData.AsVariantArray().values) {
                            data.push_back(value.Value());
                          }
                        }
                        set->Select(ToLong(a[0]), types, data);
                        return Variant();
                      }),
               Get("Count", id::kCount,
                   [set](std::span<Variant> a) {
                     Expect(a, 0, 0);
                     return Variant(set->Count());
                   }),
               Method("Item", id::kItem,
                      [self, set](std::span<Variant> a) {
                        Expect(a, 1, 1);
                        return self->Entity(set->Item(ToLong(a[0])));
                      }),
               NewEnum(self, set, &standalone::EntityStillExists, &CadObjects::Entity),
               Method("Delete", id::kDelete,
                      [set](std::span<Variant> a) {
                        Expect(a, 0, 0);
                        set->Delete();
                        return Variant();
                      }),
           },
           set));
}

Variant CadObjects::Utility(const std::shared_ptr<host::Utility>& utility) {
  if (!utility) return AsVariant({});
  return AsVariant(Make(DIID_IAcadUtility,
                        {
                            Method("GetPoint", id::kGetPoint,
                                   [utility](std::span<Variant> a) {
                                     Expect(a, 0, 2);
                                     const Variant base = Optional(a, 0);
                                     const Variant prompt = Optional(a, 1);
                                     std::optional<host::Point3> from;
                                     std::optional<std::string> text;
                                     if (!base.IsMissing()) from = PointOf(base, "Point");
                                     if (!prompt.IsMissing()) text = ToString(prompt);
                                     return PointValue(utility->GetPoint(from, text));
                                   }),
                        },
                        utility));
}

Variant CadObjects::Color(const std::shared_ptr<host::Color>& color) {
  if (!color) return AsVariant({});
  auto member = [color](const char* name, DISPID dispid, int32_t (host::Color::*read)()) {
    return Get(name, dispid, [color, read](std::span<Variant> a) {
      Expect(a, 0, 0);
      return Variant(((*color).*read)());
    });
  };
  return AsVariant(Make(DIID_IAcadAcCmColor,
                        {
                            member("ColorMethod", id::kColorMethod, &host::Color::ColorMethod),
                            member("ColorIndex", id::kColorIndex, &host::Color::ColorIndex),
                            member("Red", id::kRed, &host::Color::Red),
                            member("Green", id::kGreen, &host::Color::Green),
                            member("Blue", id::kBlue, &host::Color::Blue),
                        },
                        color));
}

}  // namespace nimbo::win::standins
