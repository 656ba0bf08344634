// The CAD application over real COM: one session of calls made once on the in-memory
// host directly and once late-bound, by name, through the stand-in found in the
// running-object table, must leave the same journal and the same host calls (fault plan
// targets), line for line; events reach a COM sink and Cancel comes back by reference;
// a stand-in that goes leaves its objects disconnected.
#include <gtest/gtest.h>

#include <windows.h>

#include <ocidl.h>

#include <string>
#include <vector>

#include "cad_test_world.h"
#include "host/cad.h"
#include "host/selection_filter.h"
#include "standalone/journal.h"
#include "win/com/safe_array.h"
#include "win/com/table_dispatch.h"
#include "win/com/unique_variant.h"
#include "win/com/variant_conversion.h"
#include "win/journal_noting.h"
#include "win/standins/cad_dispids.h"
#include "win/standins/nimbo_cad_standin_ids.h"

namespace nimbo::win::test {
namespace {

using standalone::TranscriptValue;

const automation::DoubleArray kOutline{0, {0, 0, 10, 0, 10, 5}};

// The session on the host's own interfaces.
void DriveDirectly(CadWorld& w) {
  standalone::Journal& journal = w.world.journal;
  auto doc = w.world.application->ActiveDocument();
  journal.Write("caller name " + doc->Name());
  doc->Layers()->Add("Walls");
  auto space = doc->ModelSpace();
  auto outline = space->AddLightWeightPolyline(kOutline);
  journal.Write("caller coordinates " + TranscriptValue(Variant(outline->Coordinates())));
  outline->SetLayer("Walls");
  outline->SetColor(3);
  journal.Write("caller colour " + std::to_string(outline->TrueColor()->ColorIndex()));
  auto first = space->AddPoint({1, 1, 0});
  auto second = space->AddPoint({2, 2, 0});
  space->AddPoint({3, 3, 0});
  const int64_t firstId = first->ObjectID();
  space->ForEach([&](const host::EntityRef& entity) {
    const int64_t id = entity->ObjectID();
    journal.Write("caller visits " + std::to_string(id));
    if (id == firstId) {
      entity->Delete();
      second->Delete();
    }
  });
  auto set = doc->SelectionSets()->Add("Walls only");
  const host::SelectionFilter filter = host::ModelSpaceLayerFilter("walls");
  set->Select(host::selection_mode::kAll, filter.types, filter.data);
  journal.Write("caller selected " + std::to_string(set->Count()) + " " + set->Item(0)->Layer());
  Noting(journal, [&] { space->AddLightWeightPolyline(automation::DoubleArray{0, {1, 2, 3}}); });
  w.world.faults.Add("drawing.Layers.Add", 1004, "Planned failure");
  Noting(journal, [&] { doc->Layers()->Add("Roads"); });
}

// Select(5, , , FilterType, FilterData) as the control makes it: the group codes an
// array of 16-bit integers, the values an array of variants.
void SelectWithFilter(com::DispatchObject& set, const host::SelectionFilter& filter) {
  com::SafeArray types(VT_I2, 0, static_cast<uint32_t>(filter.types.size()));
  {
    com::SafeArrayLock lock(types.Get());
    for (size_t i = 0; i < filter.types.size(); ++i) lock.Data<SHORT>()[i] = filter.types[i];
  }
  com::UniqueVariant data = com::ToComVariant(Variant(automation::VariantArray{0, filter.data}));
  VARIANT arguments[5];  // last to first
  VariantInit(&arguments[0]);
  arguments[0] = data.Detach();
  VariantInit(&arguments[1]);
  arguments[1].vt = VT_ARRAY | VT_I2;
  arguments[1].parray = types.Detach();
  for (int i = 2; i < 4; ++i) {
    VariantInit(&arguments[i]);
    arguments[i].vt = VT_ERROR;
    arguments[i].scode = DISP_E_PARAMNOTFOUND;
  }
  VariantInit(&arguments[4]);
  arguments[4].vt = VT_I4;
  arguments[4].lVal = host::selection_mode::kAll;
  DISPPARAMS params{arguments, nullptr, 5, 0};
  EXCEPINFO info{};
  HRESULT result = set.Dispatch()->Invoke(set.IdOf("Select"), IID_NULL, LOCALE_USER_DEFAULT,
                                          DISPATCH_METHOD, &params, nullptr, &info, nullptr);
  for (VARIANT& argument : arguments) VariantClear(&argument);
  if (FAILED(result)) throw com::ErrorFromFailedCall(result, &info, nullptr, IID_NULL);
}

// _NewEnum, then Next one by one, as a For Each loop goes.
template <class Visit>
void ForEachOverCom(com::DispatchObject& collection, Visit&& visit) {
  VARIANT enumerator;
  VariantInit(&enumerator);
  DISPPARAMS none{};
  ASSERT_EQ(collection.Dispatch()->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT,
                                          DISPATCH_PROPERTYGET | DISPATCH_METHOD, &none,
                                          &enumerator, nullptr, nullptr),
            S_OK);
  ASSERT_EQ(enumerator.vt, VT_UNKNOWN);
  com::ComPtr<IEnumVARIANT> items;
  ASSERT_EQ(enumerator.punkVal->QueryInterface(IID_IEnumVARIANT, items.PutVoid()), S_OK);
  VariantClear(&enumerator);
  VARIANT item;
  VariantInit(&item);
  while (items->Next(1, &item, nullptr) == S_OK) {
    visit(*AsObject(com::FromComVariant(item)));
    VariantClear(&item);
  }
}

// The same session, late-bound through the stand-in.
void DriveOverCom(CadWorld& w) {
  standalone::Journal& journal = w.world.journal;
  ObjectPtr app = FindRunningApplication();
  ObjectPtr doc = AsObject(app->Get("ActiveDocument"));
  journal.Write("caller name " + doc->Get("Name").AsString());
  AsObject(doc->Get("Layers"))->Call("Add", {Variant("Walls")});
  ObjectPtr space = AsObject(doc->Get("ModelSpace"));
  ObjectPtr outline = AsObject(space->Call("AddLightWeightPolyline", {Variant(kOutline)}));
  journal.Write("caller coordinates " + TranscriptValue(outline->Get("Coordinates")));
  outline->Put("Layer", Variant("Walls"));
  outline->Put("color", Variant(int32_t{3}));
  journal.Write("caller colour " +
                std::to_string(AsObject(outline->Get("TrueColor"))->Get("ColorIndex").AsLong()));
  ObjectPtr first = AsObject(space->Call("AddPoint", {Point(1, 1)}));
  ObjectPtr second = AsObject(space->Call("AddPoint", {Point(2, 2)}));
  space->Call("AddPoint", {Point(3, 3)});
  const int32_t firstId = first->Get("ObjectID").AsLong();
  ForEachOverCom(*space, [&](com::DispatchObject& entity) {
    const int32_t id = entity.Get("ObjectID").AsLong();
    journal.Write("caller visits " + std::to_string(id));
    if (id == firstId) {
      entity.Call("Delete");
      second->Call("Delete");
    }
  });
  ObjectPtr set =
      AsObject(AsObject(doc->Get("SelectionSets"))->Call("Add", {Variant("Walls only")}));
  SelectWithFilter(*set, host::ModelSpaceLayerFilter("walls"));
  journal.Write("caller selected " + std::to_string(set->Get("Count").AsLong()) + " " +
                AsObject(set->Call("Item", {Variant(int32_t{0})}))->Get("Layer").AsString());
  Noting(journal, [&] {
    space->Call("AddLightWeightPolyline", {Variant(automation::DoubleArray{0, {1, 2, 3}})});
  });
  w.world.faults.Add("drawing.Layers.Add", 1004, "Planned failure");
  Noting(journal, [&] { AsObject(doc->Get("Layers"))->Call("Add", {Variant("Roads")}); });
}

TEST(CadOverCom, ASessionLeavesTheJournalAndHostCallsItLeavesDirectly) {
  CadWorld direct;
  DriveDirectly(direct);
  CadWorld overCom;
  {
    standins::CadStandin standin(overCom.world.application);
    DriveOverCom(overCom);
  }
  const std::vector<std::string>& lines = overCom.world.journal.Lines();
  EXPECT_EQ(lines, direct.world.journal.Lines());
  // The host saw the same calls: the one ForEach of the enumeration included, and
  // nothing the stand-in asked of its own.
  EXPECT_EQ(overCom.world.faults.Targets(), direct.world.faults.Targets());
  // And the session did what it says: the point deleted during the enumeration was not
  // visited, the filter found the polyline, the errors kept number, text and source.
  auto has = [&lines](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.starts_with("caller visits "); }),
            3);
  EXPECT_TRUE(has("caller selected 1 Walls"));
  EXPECT_TRUE(has("caller colour 3"));
  EXPECT_TRUE(has("caught 1004 \"Planned failure\" \"drawing.Layers.Add\""));
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
    return l.starts_with("caught -2145386493 \"Invalid input: a lightweight polyline") &&
           l.ends_with("\"MemoryHost\"");
  }));
}

// A sink of the drawing's events: writes EndCommand to the journal, cancels the close.
com::ComPtr<com::TableDispatch> CancellingSink(standalone::Journal& journal) {
  com::DispatchDescription sink;
  sink.interfaceId = DIID__DAcadDocumentEvents;
  sink.members = {
      {"BeginDocClose", standins::cad_dispid::kBeginDocClose,
       [](std::span<Variant> a) {
         a[0].Assign(Variant::Bool(true));
         return Variant();
       }},
      {"EndCommand", standins::cad_dispid::kEndCommand,
       [&journal](std::span<Variant> a) {
         journal.Write("sink EndCommand " + a[0].Value().AsString());
         return Variant();
       }},
  };
  return com::TableDispatch::Create(std::move(sink));
}

TEST(CadOverCom, DocumentEventsReachTheSinkAndCancelComesBack) {
  CadWorld w;
  standins::CadStandin standin(w.world.application);
  ObjectPtr doc = AsObject(FindRunningApplication()->Get("ActiveDocument"));

  // The client finds the event interface as a control's sink does: the coclass's
  // default source.
  com::ComPtr<IProvideClassInfo> provide;
  ASSERT_EQ(doc->Dispatch()->QueryInterface(IID_IProvideClassInfo, provide.PutVoid()), S_OK);
  com::ComPtr<ITypeInfo> coclass;
  ASSERT_EQ(provide->GetClassInfo(coclass.Put()), S_OK);
  bool foundSource = false;
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(coclass->GetTypeAttr(&attributes), S_OK);
  for (UINT i = 0; i < attributes->cImplTypes; ++i) {
    INT flags = 0;
    coclass->GetImplTypeFlags(i, &flags);
    if ((flags & IMPLTYPEFLAG_FSOURCE) && (flags & IMPLTYPEFLAG_FDEFAULT)) {
      HREFTYPE reference = 0;
      com::ComPtr<ITypeInfo> source;
      coclass->GetRefTypeOfImplType(i, &reference);
      coclass->GetRefTypeInfo(reference, source.Put());
      TYPEATTR* sourceAttributes = nullptr;
      source->GetTypeAttr(&sourceAttributes);
      foundSource = IsEqualGUID(sourceAttributes->guid, DIID__DAcadDocumentEvents);
      source->ReleaseTypeAttr(sourceAttributes);
    }
  }
  coclass->ReleaseTypeAttr(attributes);
  EXPECT_TRUE(foundSource);

  com::ComPtr<IConnectionPointContainer> container;
  ASSERT_EQ(doc->Dispatch()->QueryInterface(IID_IConnectionPointContainer, container.PutVoid()),
            S_OK);
  com::ComPtr<IConnectionPoint> point;
  ASSERT_EQ(container->FindConnectionPoint(DIID__DAcadDocumentEvents, point.Put()), S_OK);
  com::ComPtr<com::TableDispatch> sink = CancellingSink(w.world.journal);
  DWORD cookie = 0;
  ASSERT_EQ(point->Advise(static_cast<IDispatch*>(sink.Get()), &cookie), S_OK);

  w.world.application->RunCommand(kDrawingName, "LINE");
  ASSERT_EQ(point->Unadvise(cookie), S_OK);
  w.world.application->RunCommand(kDrawingName, "CIRCLE");  // unadvised: not seen
  ASSERT_EQ(point->Advise(static_cast<IDispatch*>(sink.Get()), &cookie), S_OK);
  EXPECT_TRUE(w.world.application->CloseDocument(kDrawingName));  // the sink cancelled

  const std::vector<std::string> sinkLines = w.world.journal.StartingWith("sink ");
  EXPECT_EQ(sinkLines, std::vector<std::string>{"sink EndCommand LINE"});
  std::vector<std::string> adviseCalls;
  for (const std::string& target : w.world.faults.Targets()) {
    if (target.ends_with("Advise") || target.ends_with("Unadvise")) adviseCalls.push_back(target);
  }
  EXPECT_EQ(adviseCalls,
            (std::vector<std::string>{"drawing.Document.Advise", "drawing.Document.Unadvise",
                                      "drawing.Document.Advise"}));
}

TEST(CadOverCom, AStandinThatGoesLeavesItsObjectsDisconnectedAndIsNoLongerFound) {
  CadWorld w;
  ObjectPtr app;
  ObjectPtr doc;
  com::ComPtr<IConnectionPoint> point;
  {
    standins::CadStandin standin(w.world.application);
    app = FindRunningApplication();
    doc = AsObject(app->Get("ActiveDocument"));
    com::ComPtr<IConnectionPointContainer> container =
        com::ComPtr<IDispatch>(doc->Dispatch()).As<IConnectionPointContainer>();
    container->FindConnectionPoint(DIID__DAcadDocumentEvents, point.Put());
    com::ComPtr<com::TableDispatch> sink = CancellingSink(w.world.journal);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(static_cast<IDispatch*>(sink.Get()), &cookie), S_OK);
  }
  for (const auto& [object, member] : {std::pair{app, "ActiveDocument"}, std::pair{doc, "Name"}}) {
    try {
      object->Get(member);
      ADD_FAILURE() << "a call after the stand-in went";
    } catch (const automation::AutomationError& error) {
      EXPECT_EQ(static_cast<uint32_t>(error.number()), static_cast<uint32_t>(RPC_E_DISCONNECTED))
          << error.description();
    }
  }
  // The relay was unadvised from the in-memory document: closing raises nothing.
  EXPECT_FALSE(w.world.application->CloseDocument(kDrawingName));
  EXPECT_THROW(FindRunningApplication(), automation::AutomationError);
}

}  // namespace
}  // namespace nimbo::win::test
