#include <memory>
#include <vector>

#include <boost/container/small_vector.hpp>

#include "standalone/cad/memory_errors.h"
#include "standalone/cad/memory_host.h"
#include "standalone/cad/memory_objects.h"

namespace nimbo::standalone {

using host_error::Raise;

namespace {

class MemoryLayer : public host::Layer {
 public:
  MemoryLayer(DocumentStateRef doc, uint32_t layer)
      : doc_(std::move(doc)), layer_(layer), name_(doc_->drawing.Layer(layer).name) {}
  bool StillExists() const { return !doc_->closed && doc_->drawing.LayerLive(layer_); }
  // Points the object at another layer (an enumeration's object nobody kept).
  void Retarget(uint32_t layer) {
    layer_ = layer;
    name_ = doc_->drawing.Layer(layer).name;
  }

  std::string Name() override {
    Enter("drawing.Layer.Name");
    return name_;
  }
  void SetColor(int32_t colorIndex) override {
    Enter("drawing.Layer.SetColor");
    if (colorIndex < 1 || colorIndex > 255) {
      throw Raise(host_error::kInvalidInput,
                  "Invalid input: a layer's colour index must be 1 to "
                  "255, not " +
                      std::to_string(colorIndex));
    }
    doc_->drawing.SetLayerColor(layer_, ColorValue::Index(colorIndex));
    Change(*doc_, "layer " + Quote(name_) + " colour " + std::to_string(colorIndex));
  }
  bool LayerOn() override {
    Enter("drawing.Layer.LayerOn");
    return doc_->drawing.Layer(layer_).on;
  }
  std::shared_ptr<host::Color> TrueColor() override;
  int32_t Lineweight() override {
    Enter("drawing.Layer.Lineweight");
    return doc_->drawing.Layer(layer_).lineweight;
  }
  void Delete() override {
    Enter("drawing.Layer.Delete");
    if (auto why = doc_->drawing.WhyUndeletable(layer_)) {
      throw Raise(host_error::kCannotDelete,
                  "Layer " + Quote(name_) + " cannot be deleted: " + *why);
    }
    doc_->drawing.DeleteLayer(layer_);
    Change(*doc_, "layer " + Quote(name_) + " deleted");
  }

 private:
  void Enter(std::string_view target) {
    standalone::Enter(*doc_, target);
    if (!doc_->drawing.LayerLive(layer_)) {
      throw Raise(host_error::kObjectErased,
                  "Object was erased: layer " + Quote(name_) + " has been deleted");
    }
  }
  DocumentStateRef doc_;
  uint32_t layer_;
  std::string name_;
  ColorSnapshots colors_;
};

std::shared_ptr<host::Color> MemoryLayer::TrueColor() {
  Enter("drawing.Layer.TrueColor");
  return colors_.Take(doc_, doc_->drawing.Layer(layer_).color);
}

class MemoryLayers : public host::Layers {
 public:
  explicit MemoryLayers(DocumentStateRef doc) : doc_(std::move(doc)) {}
  int32_t Count() override {
    Enter(*doc_, "drawing.Layers.Count");
    return CountOf(doc_->drawing.LayerCount());
  }
  host::LayerRef Item(int32_t index) override {
    Enter(*doc_, "drawing.Layers.Item");
    if (index < 0 || static_cast<uint32_t>(index) >= doc_->drawing.LayerCount()) {
      throw NoItem("Layers", index, doc_->drawing.LayerCount());
    }
    return std::make_shared<MemoryLayer>(doc_, doc_->drawing.LayerAt(static_cast<uint32_t>(index)));
  }
  host::LayerRef Add(const std::string& name) override {
    Enter(*doc_, "drawing.Layers.Add");
    CheckSymbolName("layer", name);
    if (auto found = doc_->drawing.FindLayer(name)) {
      return std::make_shared<MemoryLayer>(doc_, *found);
    }
    const uint32_t layer = doc_->drawing.PutLayer(LayerData{name});
    Change(*doc_, "layer added " + Quote(name));
    return std::make_shared<MemoryLayer>(doc_, layer);
  }
  void ForEach(const std::function<void(const host::LayerRef&)>& visit) override {
    Enter(*doc_, "drawing.Layers.ForEach");
    // The table as it was when the enumeration started.
    boost::container::small_vector<uint32_t, 32> layers;
    for (uint32_t i = 0; i < doc_->drawing.LayerCount(); ++i) {
      layers.push_back(doc_->drawing.LayerAt(i));
    }
    // As with entities: an object the visitor did not keep is pointed at the next layer.
    std::shared_ptr<MemoryLayer> object;
    for (const uint32_t layer : layers) {
      if (doc_->closed) return;
      if (!doc_->drawing.LayerLive(layer)) continue;
      if (object && object.use_count() == 1) {
        object->Retarget(layer);
      } else {
        object = std::make_shared<MemoryLayer>(doc_, layer);
      }
      const host::LayerRef visited = object;
      visit(visited);
    }
  }

 private:
  DocumentStateRef doc_;
};

}  // namespace

bool LayerStillExists(const host::Layer& layer) {
  const auto* object = dynamic_cast<const MemoryLayer*>(&layer);
  return object != nullptr && object->StillExists();
}

std::shared_ptr<host::Layers> MakeLayers(const DocumentStateRef& doc) {
  return std::make_shared<MemoryLayers>(doc);
}

}  // namespace nimbo::standalone
