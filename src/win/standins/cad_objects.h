// The COM objects of the CAD application stand-in: each a TableDispatch over one object
// of the in-memory host, answering the members of its published dispinterface (with
// the type information of nimbo_cad_standin.idl) by calling exactly the one in-memory
// member each stands for, so that the fault plan and the journal see over COM what they
// see on Linux. An object's interface is picked by the C++ type of the in-memory object,
// never by asking it. Objects are made afresh on every access, as the in-memory host
// makes its own.
//
// All objects made by one CadObjects go together when it shuts down: they answer
// RPC_E_DISCONNECTED from then on, and the documents' event relays are unadvised.
#pragma once

#include <windows.h>

#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "automation/variant.h"
#include "host/cad.h"
#include "host/map.h"
#include "win/com/com_ptr.h"
#include "win/com/table_dispatch.h"

namespace nimbo::win::standins {

class DocumentEventRelays;

class CadObjects : public std::enable_shared_from_this<CadObjects> {
 public:
  // Loads the type library; raises AutomationError when it is missing.
  static std::shared_ptr<CadObjects> Create();

  // Each answers Nothing for a null object.
  com::ComPtr<com::TableDispatch> Application(const ::nimbo::host::ApplicationRef& application);
  automation::Variant Document(const ::nimbo::host::DocumentRef& document);
  // `iid`: IAcadModelSpace or IAcadPaperSpace.
  automation::Variant Space(const std::shared_ptr<::nimbo::host::EntityCollection>& space,
                            REFIID iid);
  automation::Variant Block(const std::shared_ptr<::nimbo::host::Block>& block);
  automation::Variant Blocks(const std::shared_ptr<::nimbo::host::Blocks>& blocks);
  automation::Variant Layers(const std::shared_ptr<::nimbo::host::Layers>& layers);
  automation::Variant Layer(const ::nimbo::host::LayerRef& layer);
  automation::Variant SelectionSets(const std::shared_ptr<::nimbo::host::SelectionSets>& sets);
  automation::Variant SelectionSet(const std::shared_ptr<::nimbo::host::SelectionSet>& set);
  automation::Variant Utility(const std::shared_ptr<::nimbo::host::Utility>& utility);
  automation::Variant Color(const std::shared_ptr<::nimbo::host::Color>& color);
  automation::Variant Entity(const ::nimbo::host::EntityRef& entity);
  // The object GetInterfaceObject answered: the Map application, or a type mismatch.
  automation::Variant InterfaceObject(const automation::ObjectRef& object);
  automation::Variant Map(const ::nimbo::host::MapApplicationRef& map);
  automation::Variant Tables(const std::shared_ptr<::nimbo::host::ODTables>& tables);
  automation::Variant Table(const std::shared_ptr<::nimbo::host::ODTable>& table);
  automation::Variant FieldDefinitions(
      const std::shared_ptr<::nimbo::host::ODFieldDefinitions>& fields);
  automation::Variant Record(const std::shared_ptr<::nimbo::host::ODRecord>& record);

  // Cuts every object made here off (RPC_E_DISCONNECTED) and unadvises the event relays.
  void Shutdown();

  // What every object of this family is made with.
  com::ComPtr<com::TableDispatch> Make(REFIID iid, std::vector<com::DispatchMember> members,
                                       automation::ObjectRef inner);
  static automation::Variant AsVariant(const com::ComPtr<com::TableDispatch>& object);
  std::shared_ptr<const bool> Gone() const { return gone_; }

 private:
  CadObjects();
  com::ComPtr<ITypeInfo> TypeInfo(REFGUID guid);

  // Members of the object families, in cad_*_members.cpp.
  std::vector<com::DispatchMember> EntityMembers(const ::nimbo::host::EntityRef& entity,
                                                 REFIID iid);
  std::vector<com::DispatchMember> SpaceMembers(
      const std::shared_ptr<::nimbo::host::EntityCollection>& space);

  std::shared_ptr<bool> gone_ = std::make_shared<bool>(false);
  com::ComPtr<ITypeLib> library_;
  std::vector<std::pair<GUID, com::ComPtr<ITypeInfo>>> infos_;  // loaded as asked for
  std::vector<std::weak_ptr<DocumentEventRelays>> documents_;
};

}  // namespace nimbo::win::standins
