// The server's objects driven through the built .ocx as a client drives them: created by
// its class object, called by DISPID with the argument forms that scripts and VBA pass,
// and counted by DllCanUnloadNow. The drawing is the CAD stand-in's, so that AsPolyline
// reaches a document over COM.
#include <gtest/gtest.h>

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <vector>

#include "automation/convert.h"
#include "server_library.h"
#include "win/cad/cad_test_world.h"
#include "win/com/bstr.h"
#include "win/com/variant_conversion.h"
#include "win/server/server_ids.h"

namespace nimbo::win::test {
namespace {

// Invoke with the arguments in call order (reversed into DISPPARAMS here); answers the
// HRESULT and fills `result` and `error`.
HRESULT Invoke(IDispatch* object, DISPID id, WORD flags, std::vector<VARIANT> arguments,
               VARIANT* result = nullptr, EXCEPINFO* error = nullptr) {
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  EXCEPINFO ignored{};
  UINT bad = 0;
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result,
                        error != nullptr ? error : &ignored, &bad);
}

VARIANT Double(double value) {
  VARIANT v;
  v.vt = VT_R8;
  v.dblVal = value;
  return v;
}

VARIANT ByReference(VARTYPE type, void* target) {
  VARIANT v;
  v.vt = VT_BYREF | type;
  v.byref = target;
  return v;
}

TEST(ServerObjects, BoundTakesEveryByReferenceFormAndReportsErrorsAsTheRunTime) {
  CadWorld w;
  standins::CadStandin standin(w.world.application);
  ObjectPtr document = AsObject(FindRunningApplication()->Get("ActiveDocument"));
  for (const char* layer : {"Walls", "Roads", "Rivers"}) {
    AsObject(document->Get("Layers"))->Call("Add", {Variant(layer)});
  }

  ServerLibrary server;
  ASSERT_NE(server.module, nullptr);
  com::ComPtr<IClassFactory> factory;
  ASSERT_EQ(server.ClassObject(CLSID_Bound, factory), S_OK);
  com::ComPtr<IDispatch> bound;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, bound.PutVoid()), S_OK);
  EXPECT_EQ(server.CanUnload(), S_FALSE);

  // It describes itself from the library: its interface, its class, no event source.
  EXPECT_EQ(InterfaceName(bound.Get()), "_Bound");
  com::ComPtr<IProvideClassInfo2> classInfo = bound.As<IProvideClassInfo2>();
  ASSERT_TRUE(classInfo);
  GUID source{};
  EXPECT_EQ(classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), E_FAIL);
  LPOLESTR name = const_cast<LPOLESTR>(L"asPOLYLINE");
  DISPID asPolyline = 0;
  EXPECT_EQ(bound->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &asPolyline), S_OK);
  EXPECT_EQ(asPolyline, 0x60030001);

  std::vector<VARIANT> corners;
  for (double c : {1, 2, 3, 4, 5, 6, 7, 8}) corners.push_back(Double(c));
  ASSERT_EQ(Invoke(bound.Get(), 0x60030000, DISPATCH_METHOD, corners), S_OK);

  // The document by value, by reference and inside a Variant; the layer name as a
  // script's variable (a Variant by reference), as VBA's String variable and as a literal.
  IDispatch* documentPointer = document->Dispatch();
  VARIANT documentVariant;
  documentVariant.vt = VT_DISPATCH;
  documentVariant.pdispVal = documentPointer;
  VARIANT layerVariable;
  layerVariable.vt = VT_BSTR;
  layerVariable.bstrVal = com::Bstr("Walls").Detach();
  BSTR layerString = com::Bstr("Roads").Detach();
  std::vector<std::vector<VARIANT>> calls = {
      {documentVariant, ByReference(VT_VARIANT, &layerVariable)},
      {ByReference(VT_DISPATCH, &documentPointer), ByReference(VT_BSTR, &layerString)},
      {ByReference(VT_VARIANT, &documentVariant), com::ToComVariant(Variant("Rivers")).Detach()}};
  std::vector<std::string> drawn;
  for (const auto& arguments : calls) {
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(Invoke(bound.Get(), 0x60030001, DISPATCH_METHOD, arguments, &result), S_OK);
    ObjectPtr polyline = AsObject(com::FromComVariant(result));
    drawn.push_back(automation::ToString(polyline->Get("Layer")));
    EXPECT_EQ(polyline->Get("Coordinates"),
              Variant(automation::DoubleArray{0, {1, 2, 3, 4, 5, 6, 7, 8, 1, 2}}));
    VariantClear(&result);
  }
  EXPECT_EQ(drawn, (std::vector<std::string>{"Walls", "Roads", "Rivers"}));
  EXPECT_EQ(com::FromComVariant(layerVariable), Variant("Walls"));  // read, never changed
  VariantClear(&layerVariable);
  SysFreeString(layerString);
  VariantClear(&calls[2][1]);

  // A text that is no number: the run-time's type mismatch, named after the class.
  VARIANT text = com::ToComVariant(Variant("abc")).Detach();
  EXCEPINFO error{};
  EXPECT_EQ(Invoke(bound.Get(), 0x40030000, DISPATCH_PROPERTYPUT, {text}, nullptr, &error),
            DISP_E_EXCEPTION);
  VariantClear(&text);
  EXPECT_EQ(error.scode, static_cast<SCODE>(0x800A000D));
  EXPECT_EQ(com::Utf8FromBstr(error.bstrDescription), "Type mismatch");
  EXPECT_EQ(com::Utf8FromBstr(error.bstrSource), "VeskNimboDock17.Bound");
  SysFreeString(error.bstrDescription);
  SysFreeString(error.bstrSource);
  com::ComPtr<IErrorInfo> threadError;
  ASSERT_EQ(GetErrorInfo(0, threadError.Put()), S_OK);
  BSTR description = nullptr;
  threadError->GetDescription(&description);
  EXPECT_EQ(com::Utf8FromBstr(description), "Type mismatch");
  SysFreeString(description);

  // Bound and DockControl have class objects that create; the control answers _DockControl
  // from the table and describes itself with the library's coclass.
  com::ComPtr<IClassFactory> other;
  EXPECT_EQ(server.ClassObject(CLSID_Extent, other), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(server.ClassObject(CLSID_AcadColors, other), CLASS_E_CLASSNOTAVAILABLE);
  ASSERT_EQ(server.ClassObject(CLSID_DockControl, other), S_OK);
  com::ComPtr<IDispatch> control;
  ASSERT_EQ(other->CreateInstance(nullptr, IID_IDispatch, control.PutVoid()), S_OK);
  LPOLESTR member = const_cast<LPOLESTR>(L"deletelayer");
  DISPID id = 0;
  EXPECT_EQ(control->GetIDsOfNames(IID_NULL, &member, 1, 0, &id), S_OK);
  EXPECT_EQ(id, 0x6003001B);
  com::ComPtr<IProvideClassInfo2> controlClass;
  ASSERT_EQ(control->QueryInterface(IID_IProvideClassInfo2, controlClass.PutVoid()), S_OK);
  GUID events{};
  EXPECT_EQ(controlClass->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
  EXPECT_EQ(events, DIID___DockControl);
  controlClass = nullptr;
  EXPECT_EQ(server.CanUnload(), S_FALSE);
  control = nullptr;

  // The module stays while an object or a lock lives.
  factory->LockServer(TRUE);
  bound = nullptr;
  classInfo = nullptr;
  EXPECT_EQ(server.CanUnload(), S_FALSE);
  factory->LockServer(FALSE);
  EXPECT_EQ(server.CanUnload(), S_OK);
}

}  // namespace
}  // namespace nimbo::win::test
