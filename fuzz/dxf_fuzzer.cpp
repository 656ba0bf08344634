// libFuzzer target: the DXF reader, and the in-memory drawing built from what it reads, with
// its state. A file the reader refuses, or that the host cannot build, ends the input
// normally; anything else that escapes (an exception, a crash, a sanitizer's report) is a
// finding.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "replay/document_setup.h"
#include "replay/dxf/dxf_drawing.h"
#include "replay/output/replay_state.h"
#include "standalone/cad/memory_drawing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace nimbo;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    auto read = std::make_shared<replay::dxf::DxfDrawing>(replay::dxf::ReadDxf(text, "in.dxf"));
    (void)replay::dxf::UnmodelledReport(read->retained, "in.dxf");
    replay::SessionDocument document;
    document.name = "In.dwg";
    document.dxf = "in.dxf";
    document.dxfDrawing = read;
    standalone::Drawing drawing(document.name);
    replay::SetUpDocument(drawing, document);
    // Dumping fails on text that is not UTF-8: the reader must not let any through.
    if (replay::DocumentState(drawing).dump(2).empty()) __builtin_trap();
  } catch (const replay::dxf::DxfError&) {
    return 0;
  } catch (const standalone::SetupError&) {
    return 0;
  }
  return 0;
}
