// The document object of the in-memory host: its name, system variables, application,
// spaces and tables, and its connection point. Each member checks the fault plan under its
// target ("drawing.Document.<Member>"), then that the document is open.
#include <memory>

#include "automation/convert.h"
#include "standalone/cad/memory_collection.h"
#include "standalone/cad/memory_errors.h"
#include "standalone/cad/memory_host.h"
#include "standalone/cad/memory_objects.h"

namespace nimbo::standalone {

using host_error::Raise;

namespace {

class MemoryDocument : public host::Document, public DocumentLink {
 public:
  using DocumentLink::DocumentLink;

  std::string Name() override {
    Enter(*doc_, "drawing.Document.Name");
    return doc_->drawing.Name();
  }

  automation::Variant GetVariable(const std::string& name) override {
    Enter(*doc_, "drawing.Document.GetVariable");
    return Find(name).value;
  }

  void SetVariable(const std::string& name, const automation::Variant& value) override {
    Enter(*doc_, "drawing.Document.SetVariable");
    const Variable& variable = Find(name);
    if (variable.readOnly) {
      throw Raise(host_error::kInvalidInput,
                  "Invalid input: system variable " + variable.name + " is read-only");
    }
    automation::Variant stored;
    switch (variable.type) {
      case VariableType::Integer:
        stored = automation::ToInteger(value);
        break;
      case VariableType::Double:
        stored = automation::ToDouble(value);
        break;
      case VariableType::String:
        stored = automation::ToString(value);
        break;
      case VariableType::Point: {
        const automation::Variant v = value.Value();
        if (v.Type() != automation::VarType::DoubleArray ||
            (v.AsDoubleArray().values.size() != 2 && v.AsDoubleArray().values.size() != 3)) {
          throw Raise(host_error::kInvalidInput,
                      "Invalid input: system variable " + variable.name + " takes a point");
        }
        auto values = v.AsDoubleArray().values;
        values.resize(3, 0.0);
        stored = automation::DoubleArray{0, values};
        break;
      }
    }
    const std::string variableName = variable.name;
    doc_->drawing.StoreVariable(variableName, stored);
    Change(*doc_, "variable " + variableName + " = " + TranscriptValue(stored));
  }

  std::shared_ptr<host::Application> Application() override {
    Enter(*doc_, "drawing.Document.Application");
    auto application = doc_->application.lock();
    if (!application) throw Raise(host_error::kDisconnected, host_error::kDisconnectedText);
    return application;
  }

  std::shared_ptr<host::EntityCollection> ModelSpace() override {
    Enter(*doc_, "drawing.Document.ModelSpace");
    return std::make_shared<MemoryCollection<host::EntityCollection>>(doc_, Space::Model());
  }
  std::shared_ptr<host::EntityCollection> PaperSpace() override {
    Enter(*doc_, "drawing.Document.PaperSpace");
    return std::make_shared<MemoryCollection<host::EntityCollection>>(doc_, Space::Paper());
  }
  std::shared_ptr<host::Layers> Layers() override {
    Enter(*doc_, "drawing.Document.Layers");
    return MakeLayers(doc_);
  }
  std::shared_ptr<host::Blocks> Blocks() override {
    Enter(*doc_, "drawing.Document.Blocks");
    return MakeBlocks(doc_);
  }
  std::shared_ptr<host::SelectionSets> SelectionSets() override {
    Enter(*doc_, "drawing.Document.SelectionSets");
    return MakeSelectionSets(doc_);
  }
  std::shared_ptr<host::Utility> Utility() override {
    Enter(*doc_, "drawing.Document.Utility");
    return MakeUtility(doc_);
  }

  int32_t Advise(host::DocumentEvents* sink) override {
    Enter(*doc_, "drawing.Document.Advise");
    if (!sink) throw Raise(host_error::kInvalidInput, "Invalid input: Advise without a sink");
    return doc_->sinks.Bind(*sink);
  }
  void Unadvise(int32_t cookie) override {
    Enter(*doc_, "drawing.Document.Unadvise");
    if (!doc_->sinks.Unbind(cookie)) {
      throw Raise(host_error::kNoConnection, "Cookie " + std::to_string(cookie) +
                                                 " names no connection of drawing " +
                                                 doc_->drawing.Name());
    }
  }

 private:
  const Variable& Find(const std::string& name) {
    const Variable* variable = doc_->drawing.FindVariable(name);
    if (!variable) {
      throw Raise(host_error::kInvalidInput,
                  "Invalid input: there is no system variable " + Quote(name));
    }
    return *variable;
  }
};

}  // namespace

host::DocumentRef MakeDocument(const DocumentStateRef& doc) {
  return std::make_shared<MemoryDocument>(doc);
}

}  // namespace nimbo::standalone
