#include <memory>

#include "standalone/cad/memory_collection.h"
#include "standalone/cad/memory_errors.h"
#include "standalone/cad/memory_objects.h"

namespace nimbo::standalone {

using host_error::Raise;

namespace {

class MemoryBlocks : public host::Blocks {
 public:
  explicit MemoryBlocks(DocumentStateRef doc) : doc_(std::move(doc)) {}
  int32_t Count() override {
    Enter(*doc_, "drawing.Blocks.Count");
    return CountOf(doc_->drawing.BlockCount());
  }
  std::shared_ptr<host::Block> Item(int32_t index) override {
    Enter(*doc_, "drawing.Blocks.Item");
    if (index < 0 || static_cast<uint32_t>(index) >= doc_->drawing.BlockCount()) {
      throw NoItem("Blocks", index, doc_->drawing.BlockCount());
    }
    return std::make_shared<MemoryBlock>(doc_, Space::Block(static_cast<uint32_t>(index)));
  }
  std::shared_ptr<host::Block> Add(const Point3& origin, const std::string& name) override {
    Enter(*doc_, "drawing.Blocks.Add");
    CheckSymbolName("block", name);
    // A name that exists, in any letter case, answers the existing definition.
    if (auto found = doc_->drawing.FindBlock(name)) {
      return std::make_shared<MemoryBlock>(doc_, Space::Block(*found));
    }
    const uint32_t index = doc_->drawing.AddBlock(BlockData{name, origin});
    Change(*doc_, "block added " + Quote(name) + " at " + PointText(origin));
    return std::make_shared<MemoryBlock>(doc_, Space::Block(index));
  }

 private:
  DocumentStateRef doc_;
};

}  // namespace

std::shared_ptr<host::Blocks> MakeBlocks(const DocumentStateRef& doc) {
  return std::make_shared<MemoryBlocks>(doc);
}

}  // namespace nimbo::standalone
