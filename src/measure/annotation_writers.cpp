#include "measure/annotation_writers.h"

#include <memory>
#include <optional>
#include <vector>

#include "automation/convert.h"
#include "automation/error_rules.h"
#include "automation/object_cast.h"
#include "measure/save_options.h"

namespace nimbo::measure {

using automation::Require;
using host::Point3;

namespace {

constexpr const char* kTextPositionPrompt = "Enter a point for text position: ";
// The misspelling is the prompt the persons know from the command line; kept as it is.
constexpr const char* kDimensionFirstPrompt = "Enter a point for dimension fisrt point: ";
constexpr const char* kDimensionSecondPrompt = "Enter a point for dimension second point: ";
constexpr const char* kDimensionPositionPrompt = "Enter a point for dimension position: ";
constexpr const char* kAngularVertexPrompt = "Enter a point for angular vertex: ";
constexpr const char* kFirstReferencePrompt = "Enter a point for first reference point: ";
constexpr const char* kSecondReferencePrompt = "Enter a point for second reference point: ";
constexpr const char* kBlockInsertionPrompt = "Enter a point for block with attribute: ";

constexpr Point3 kBlockOrigin{0.0, 0.0, 0.0};
// No mode flags: visible, not constant, not verified, not preset.
constexpr int32_t kAttributeModeNone = 0;

// One pick with a prompt and no base point, so no pick rubber-bands from the last one.
Point3 Pick(host::Document& document, const std::string& prompt) {
  return Require<host::Utility>(document.Utility())->GetPoint(std::nullopt, prompt);
}

std::shared_ptr<host::EntityCollection> ModelSpaceOf(host::Document& document) {
  return Require<host::EntityCollection>(document.ModelSpace());
}

std::shared_ptr<host::Dimension> AddDimensionEntity(host::Document& document,
                                                    const std::string& subOption) {
  if (subOption == kLinearDimension) {
    const Point3 first = Pick(document, kDimensionFirstPrompt);
    const Point3 second = Pick(document, kDimensionSecondPrompt);
    const Point3 position = Pick(document, kDimensionPositionPrompt);
    return ModelSpaceOf(document)->AddDimAligned(first, second, position);
  }
  if (subOption == kAngularDimension) {
    const Point3 vertex = Pick(document, kAngularVertexPrompt);
    const Point3 first = Pick(document, kFirstReferencePrompt);
    const Point3 second = Pick(document, kSecondReferencePrompt);
    const Point3 position = Pick(document, kDimensionPositionPrompt);
    return ModelSpaceOf(document)->AddDimAngular(vertex, first, second, position);
  }
  return nullptr;
}

// The first block definition named exactly `name`. Counted with 32 bits: drawings with
// tens of thousands of blocks exist.
std::shared_ptr<host::Block> FindBlock(host::Blocks& blocks, const std::string& name) {
  const int32_t count = blocks.Count();
  for (int32_t i = 0; i < count; ++i) {
    auto block = Require<host::Block>(blocks.Item(i));
    if (block->Name() == name) return block;
  }
  return nullptr;
}

// The block's attribute definitions of that tag. The CAD host keeps tags upper-cased, so
// they are compared without regard to case.
std::vector<std::shared_ptr<host::AttributeDefinition>> AttributeDefinitionsTagged(
    host::Block& block, const std::string& tag) {
  const std::string wanted = automation::UCase(tag);
  std::vector<std::shared_ptr<host::AttributeDefinition>> found;
  const int32_t count = block.Count();
  for (int32_t i = 0; i < count; ++i) {
    auto definition = std::dynamic_pointer_cast<host::AttributeDefinition>(block.Item(i));
    if (definition && automation::UCase(definition->TagString()) == wanted)
      found.push_back(definition);
  }
  return found;
}

}  // namespace

void AddText(control::ControlState& state, double measure, double textHeight) {
  automation::Reraise("AddText", [&] {
    host::DocumentRef document = control::BindActiveDocument(state);
    if (!document) return;
    const Point3 position = Pick(*document, kTextPositionPrompt);
    auto text = Require<host::Text>(
        ModelSpaceOf(*document)->AddText(state.Locale().NumberText(measure), position, textHeight));
    text->Update();
  });
}

void AddDimension(control::ControlState& state, double measure, const std::string& subOption,
                  double textHeight) {
  automation::Reraise("AddDimension", [&] {
    host::DocumentRef document = control::BindActiveDocument(state);
    if (!document) return;
    if (subOption != kLinearDimension && subOption != kAngularDimension) return;
    auto dimension = Require<host::Dimension>(AddDimensionEntity(*document, subOption));
    // The dimension shows the measured value, not the distance or angle of the picks.
    dimension->SetTextOverride(state.Locale().NumberText(measure));
    dimension->SetTextHeight(textHeight);
    dimension->SetArrowheadSize(0.0);
    dimension->Update();
  });
}

void AddAttribute(control::ControlState& state, double measure, const std::string& subOption,
                  double textHeight) {
  automation::Reraise("AddAttribute", [&] {
    host::DocumentRef document = control::BindActiveDocument(state);
    if (!document) return;
    auto blocks = Require<host::Blocks>(document->Blocks());
    std::shared_ptr<host::Block> block = FindBlock(*blocks, subOption);
    if (!block) block = Require<host::Block>(blocks->Add(kBlockOrigin, subOption));

    const Point3 insertion = Pick(*document, kBlockInsertionPrompt);
    const std::string value = state.Locale().NumberText(measure);
    // A block saved into before keeps its definition of the tag, now defaulting to the
    // new value: adding another would stack every earlier value in each later reference.
    // (Drawings saved into before this held several; all of them get the new value.)
    // References inserted earlier carry their own attribute values and keep them.
    auto existing = AttributeDefinitionsTagged(*block, subOption);
    if (existing.empty()) {
      block->AddAttribute(textHeight, kAttributeModeNone, "", kBlockOrigin, subOption, value);
    }
    for (const auto& definition : existing) {
      definition->SetTextString(value);
      definition->SetHeight(textHeight);
    }

    Require<host::BlockReference>(
        ModelSpaceOf(*document)->InsertBlock(insertion, subOption, 1.0, 1.0, 1.0, 0.0));
  });
}

}  // namespace nimbo::measure
