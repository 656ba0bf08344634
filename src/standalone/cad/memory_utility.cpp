#include <memory>

#include "standalone/cad/memory_errors.h"
#include "standalone/cad/memory_objects.h"

namespace nimbo::standalone {

using host_error::Raise;

namespace {

class MemoryUtility : public host::Utility {
 public:
  explicit MemoryUtility(DocumentStateRef doc) : doc_(std::move(doc)) {}
  Point3 GetPoint(const std::optional<Point3>& /*basePoint*/,
                  const std::optional<std::string>& prompt) override {
    Enter(*doc_, "drawing.Utility.GetPoint");
    const std::string interaction = prompt ? "user pick " + Quote(*prompt) : "user pick";
    const std::optional<Point3> point = doc_->services.person->TakePoint(interaction);
    if (!point) {
      doc_->services.journal->Write(interaction + " -> cancel");
      throw Raise(automation::errors::kUserCancelled, host_error::kUserCancelledText);
    }
    doc_->services.journal->Write(interaction + " -> " + PointText(*point));
    return *point;
  }

 private:
  DocumentStateRef doc_;
};

}  // namespace

std::shared_ptr<host::Utility> MakeUtility(const DocumentStateRef& doc) {
  return std::make_shared<MemoryUtility>(doc);
}

}  // namespace nimbo::standalone
