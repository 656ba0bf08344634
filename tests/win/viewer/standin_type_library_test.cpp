// The stand-in's type library, compiled from its IDL, declares exactly the viewer's
// operations and events of host's tables: each name with its DISPID, its parameters in
// order with their types and by-reference flags, and its result.
#include <gtest/gtest.h>

#include <string>

#include "host/viewer_events.h"
#include "host/viewer_operations.h"
#include "win/com/bstr.h"
#include "win/com/com_ptr.h"
#include "win/com/utf16.h"
#include "win/com/variant_conversion.h"
#include "win/standins/nimbo_viewer_standin_ids.h"
#include "win/standins/standin_type_library.h"

namespace nimbo::win {
namespace {

using automation::VarType;
using nimbo::host::Passing;

// The DISPID, parameter types and result of one method of a dispinterface, as text that
// reads like the table, e.g. "29 (BSTR, &I4, &BOOL, BOOL, BOOL) -> void".
std::string Declared(ITypeInfo* info, const std::string& name) {
  std::wstring wide = com::Utf16FromUtf8(name);
  LPOLESTR names[] = {wide.data()};
  MEMBERID id = MEMBERID_NIL;
  if (FAILED(info->GetIDsOfNames(names, 1, &id))) return "not declared";
  TYPEATTR* attributes = nullptr;
  info->GetTypeAttr(&attributes);
  const WORD functions = attributes->cFuncs;
  info->ReleaseTypeAttr(attributes);
  auto typeText = [](const TYPEDESC& type) {
    bool byReference = type.vt == VT_PTR;
    VARTYPE vt = byReference ? type.lptdesc->vt : type.vt;
    std::string text = vt == VT_BSTR      ? "BSTR"
                       : vt == VT_I4      ? "I4"
                       : vt == VT_R8      ? "R8"
                       : vt == VT_BOOL    ? "BOOL"
                       : vt == VT_VARIANT ? "VARIANT"
                       : vt == VT_VOID    ? "void"
                       : vt == VT_HRESULT ? "void"
                                          : "vt " + std::to_string(vt);
    return (byReference ? "&" : "") + text;
  };
  for (UINT i = 0; i < functions; ++i) {
    FUNCDESC* function = nullptr;
    info->GetFuncDesc(i, &function);
    if (function->memid != id) {
      info->ReleaseFuncDesc(function);
      continue;
    }
    std::string text = std::to_string(id) + " (";
    for (SHORT p = 0; p < function->cParams; ++p) {
      text += (p > 0 ? ", " : "") + typeText(function->lprgelemdescParam[p].tdesc);
    }
    text += ") -> " + typeText(function->elemdescFunc.tdesc);
    info->ReleaseFuncDesc(function);
    return text;
  }
  return "no function";
}

std::string TypeText(VarType type) {
  switch (type) {
    case VarType::String:
      return "BSTR";
    case VarType::Long:
      return "I4";
    case VarType::Double:
      return "R8";
    case VarType::Boolean:
      return "BOOL";
    case VarType::Empty:
      return "void";
    default:
      return "?";
  }
}

UINT FunctionCount(ITypeInfo* info) {
  TYPEATTR* attributes = nullptr;
  info->GetTypeAttr(&attributes);
  UINT count = attributes->cFuncs;
  info->ReleaseTypeAttr(attributes);
  return count;
}

TEST(standin_type_library, declares_the_operations_of_the_table) {
  com::ComPtr<ITypeInfo> info = standins::StandinTypeInfo(DIID__DNimboViewer);
  for (const nimbo::host::ViewerOperation& operation : nimbo::host::ViewerOperations()) {
    std::string expected = std::to_string(operation.dispid) + " (";
    for (size_t i = 0; i < operation.parameters.size(); ++i) {
      const nimbo::host::ViewerParameter& parameter = operation.parameters[i];
      expected += (i > 0 ? ", " : "") + (parameter.passing == Passing::EitherWay ? "&VARIANT"
                                         : parameter.passing == Passing::ByReference
                                             ? "&" + TypeText(parameter.type)
                                             : TypeText(parameter.type));
    }
    expected += ") -> " + TypeText(operation.result);
    EXPECT_EQ(Declared(info.Get(), std::string(operation.name)), expected) << operation.name;
  }
  EXPECT_EQ(FunctionCount(info.Get()), nimbo::host::ViewerOperations().size());
}

TEST(standin_type_library, declares_the_events_of_the_table_as_the_default_source) {
  com::ComPtr<ITypeInfo> info = standins::StandinTypeInfo(DIID__DNimboViewerEvents);
  for (const nimbo::host::ViewerEvent& event : nimbo::host::kViewerEvents) {
    std::string expected = std::to_string(event.dispid) + " (";
    for (size_t i = 0; i < event.parameters.size(); ++i) {
      expected += (i > 0 ? ", " : "") + TypeText(event.parameters[i].type);
    }
    expected += ") -> void";
    EXPECT_EQ(Declared(info.Get(), std::string(event.name)), expected) << event.name;
  }
  EXPECT_EQ(FunctionCount(info.Get()), nimbo::host::kViewerEvents.size());

  com::ComPtr<ITypeInfo> coclass = standins::StandinTypeInfo(CLSID_NimboViewer);
  INT flags = 0;
  HREFTYPE reference = 0;
  com::ComPtr<ITypeInfo> source;
  ASSERT_EQ(coclass->GetImplTypeFlags(1, &flags), S_OK);
  EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
  ASSERT_EQ(coclass->GetRefTypeOfImplType(1, &reference), S_OK);
  ASSERT_EQ(coclass->GetRefTypeInfo(reference, source.Put()), S_OK);
  TYPEATTR* attributes = nullptr;
  source->GetTypeAttr(&attributes);
  EXPECT_TRUE(IsEqualGUID(attributes->guid, DIID__DNimboViewerEvents));
  source->ReleaseTypeAttr(attributes);
}

}  // namespace
}  // namespace nimbo::win
