#include <string>

#include "replay/dxf/dxf_drawing.h"

namespace nimbo::replay::dxf {

namespace {

std::string Describe(const std::string& file, size_t line, int code, const std::string& message) {
  std::string text = file;
  if (line > 0) text += ":" + std::to_string(line);
  text += ": " + message;
  if (code >= 0) text += " (group code " + std::to_string(code) + ")";
  return text;
}

}  // namespace

DxfError::DxfError(std::string file, size_t line, int code, const std::string& message)
    : std::runtime_error(Describe(file, line, code, message)),
      file_(std::move(file)),
      line_(line),
      code_(code) {}

std::string UnmodelledReport(const DxfRetained& retained, const std::string& file) {
  if (retained.unmodelled.empty()) return {};
  std::string text = file + ": kept";
  const char* separator = " ";
  for (const auto& [type, count] : retained.unmodelled) {
    text += separator + std::to_string(count) + " " + type;
    separator = ", ";
  }
  return text + " that the host does not model";
}

}  // namespace nimbo::replay::dxf
