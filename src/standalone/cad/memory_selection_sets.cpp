#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "standalone/cad/layer_filter.h"
#include "standalone/cad/memory_errors.h"
#include "standalone/cad/memory_objects.h"

namespace nimbo::standalone {

using host_error::Raise;

namespace {

std::string JoinIds(const std::vector<std::string>& ids) {
  std::string out = "[";
  for (size_t i = 0; i < ids.size(); ++i) {
    if (i > 0) out += ", ";
    out += Quote(ids[i]);
  }
  return out + "]";
}

class MemorySelectionSet : public host::SelectionSet {
 public:
  MemorySelectionSet(DocumentStateRef doc, Drawing::SelectionSetRef set)
      : doc_(std::move(doc)), set_(std::move(set)) {}

  std::string Name() override {
    Enter("drawing.SelectionSet.Name");
    return set_->name;
  }

  void SelectOnScreen() override {
    Enter("drawing.SelectionSet.SelectOnScreen");
    ScriptedPerson& person = *doc_->services.person;
    const std::vector<std::string> ids = person.TakeSelection("user select");
    doc_->services.journal->Write("user select -> " + JoinIds(ids));
    const std::vector<Drawing::Handle> handles = doc_->drawing.FindSelectables(ids);
    for (size_t i = 0; i < ids.size(); ++i) {
      if (handles[i] == Drawing::kNoHandle) {
        person.Disagree("user select answers " + Quote(ids[i]) + ", which drawing " +
                        doc_->drawing.Name() + " does not have");
      }
    }
    const size_t added = Append(handles);
    Change(*doc_, "selection set " + Quote(set_->name) + " selected " + std::to_string(added) +
                      " on screen");
  }

  void SelectByPolygon(int32_t mode, const automation::DoubleArray& points) override {
    Enter("drawing.SelectionSet.SelectByPolygon");
    if (mode != host::selection_mode::kCrossingPolygon) {
      throw Raise(host_error::kInvalidInput, "Invalid input: selection mode " +
                                                 std::to_string(mode) +
                                                 " is not supported (7, crossing polygon, is)");
    }
    const auto& v = points.values;
    if (v.size() < 9 || v.size() % 3 != 0) {
      throw Raise(host_error::kInvalidInput,
                  "Invalid input: a selection polygon needs x, y, z triples of at least three "
                  "points, not " +
                      std::to_string(v.size()) + " numbers");
    }
    std::vector<spatial::Vec2> ring;
    for (size_t i = 0; i < v.size(); i += 3) ring.push_back({v[i], v[i + 1]});
    const size_t added = Append(doc_->drawing.SelectCrossing(spatial::CrossingPolygon(ring)));
    Change(*doc_, "selection set " + Quote(set_->name) + " selected " + std::to_string(added) +
                      " by polygon");
  }

  void Select(int32_t mode, const std::vector<int16_t>& filterTypes,
              const std::vector<automation::Variant>& filterData) override {
    Enter("drawing.SelectionSet.Select");
    if (mode != host::selection_mode::kAll) {
      throw Raise(host_error::kInvalidInput,
                  "Invalid input: selection mode " + std::to_string(mode) +
                      " is not supported by Select without points (5, all objects, is)");
    }
    const std::string layer = ModelSpaceLayerOfFilter(filterTypes, filterData);
    const std::optional<uint32_t> number = doc_->drawing.FindLayer(layer);
    const size_t added = number ? Append(doc_->drawing.SelectOnLayer(*number)) : 0;
    Change(*doc_, "selection set " + Quote(set_->name) + " selected " + std::to_string(added) +
                      " on layer " + Quote(layer) + " in model space");
  }

  int32_t Count() override {
    Enter("drawing.SelectionSet.Count");
    Prune();
    return CountOf(LiveCount());
  }

  host::EntityRef Item(int32_t index) override {
    Enter("drawing.SelectionSet.Item");
    Prune();
    // Pruned, every handle is live: the index is the position (a loop over a large set
    // would otherwise cost a walk per object).
    if (set_->prunedAt == doc_->drawing.Deletions()) {
      if (index >= 0 && static_cast<size_t>(index) < set_->handles.size()) {
        return MakeEntity(doc_, set_->handles[static_cast<size_t>(index)]);
      }
      throw NoItem("selection set " + Quote(set_->name), index, LiveCount());
    }
    int32_t seen = 0;
    if (index >= 0) {
      for (const Drawing::Handle h : set_->handles) {
        if (!doc_->drawing.IsLive(h)) continue;
        if (seen++ == index) return MakeEntity(doc_, h);
      }
    }
    throw NoItem("selection set " + Quote(set_->name), index, LiveCount());
  }

  void ForEach(const std::function<void(const host::EntityRef&)>& visit) override {
    Enter("drawing.SelectionSet.ForEach");
    Prune();
    ++set_->enumerating;
    struct Guard {
      Drawing::SelectionSetRecord& set;
      ~Guard() { --set.enumerating; }
    } guard{*set_};
    EnumeratedEntities objects(doc_);
    const size_t n = set_->handles.size();
    for (size_t i = 0; i < n && !doc_->closed; ++i) {
      // The set may change during a visit: its handles are read afresh each time.
      if (i + 2 < set_->handles.size()) doc_->drawing.Prefetch(set_->handles[i + 2]);
      if (i + 1 < set_->handles.size()) doc_->drawing.PrefetchPoints(set_->handles[i + 1]);
      const Drawing::Handle h = set_->handles[i];
      if (doc_->drawing.IsLive(h)) visit(objects.Of(h));
    }
  }

  void Delete() override {
    Enter("drawing.SelectionSet.Delete");
    doc_->drawing.DeleteSelectionSet(set_);
    Change(*doc_, "selection set " + Quote(set_->name) + " deleted");
  }

 private:
  void Enter(std::string_view target) {
    standalone::Enter(*doc_, target);
    if (set_->deleted) {
      throw Raise(host_error::kObjectErased,
                  "Object was erased: selection set " + Quote(set_->name) + " has been deleted");
    }
  }
  // Drops entities deleted since the last look (not while an enumeration runs).
  void Prune() {
    if (set_->enumerating > 0 || set_->prunedAt == doc_->drawing.Deletions()) return;
    std::erase_if(set_->handles, [this](Drawing::Handle h) { return !doc_->drawing.IsLive(h); });
    set_->prunedAt = doc_->drawing.Deletions();
  }
  size_t LiveCount() const {
    if (set_->prunedAt == doc_->drawing.Deletions()) return set_->handles.size();
    return static_cast<size_t>(
        std::count_if(set_->handles.begin(), set_->handles.end(),
                      [this](Drawing::Handle h) { return doc_->drawing.IsLive(h); }));
  }
  // Adds the handles the set does not hold yet; answers how many.
  size_t Append(const std::vector<Drawing::Handle>& handles) {
    // A new set given handles in strictly increasing order (the selections make them so)
    // takes them as they are: a set of the handles would cost more than the selection.
    if (set_->handles.empty() && std::adjacent_find(handles.begin(), handles.end(),
                                                    std::greater_equal<>()) == handles.end()) {
      set_->handles = handles;
      return handles.size();
    }
    std::unordered_set<Drawing::Handle> held(set_->handles.begin(), set_->handles.end());
    size_t added = 0;
    for (const Drawing::Handle h : handles) {
      if (held.insert(h).second) {
        set_->handles.push_back(h);
        ++added;
      }
    }
    return added;
  }

  DocumentStateRef doc_;
  Drawing::SelectionSetRef set_;
};

class MemorySelectionSets : public host::SelectionSets {
 public:
  explicit MemorySelectionSets(DocumentStateRef doc) : doc_(std::move(doc)) {}
  int32_t Count() override {
    Enter(*doc_, "drawing.SelectionSets.Count");
    return CountOf(doc_->drawing.SelectionSets().size());
  }
  std::shared_ptr<host::SelectionSet> Add(const std::string& name) override {
    Enter(*doc_, "drawing.SelectionSets.Add");
    if (name.empty()) {
      throw Raise(host_error::kInvalidInput, "Invalid input: a selection set needs a name");
    }
    if (doc_->drawing.FindSelectionSet(name)) {
      throw Raise(host_error::kDuplicateKey,
                  "Duplicate key: the drawing has a selection set named " + Quote(name));
    }
    auto set = doc_->drawing.AddSelectionSet(name);
    Change(*doc_, "selection set added " + Quote(name));
    return std::make_shared<MemorySelectionSet>(doc_, set);
  }

 private:
  DocumentStateRef doc_;
};

}  // namespace

std::shared_ptr<host::SelectionSets> MakeSelectionSets(const DocumentStateRef& doc) {
  return std::make_shared<MemorySelectionSets>(doc);
}

}  // namespace nimbo::standalone
