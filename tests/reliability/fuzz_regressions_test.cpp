// Inputs the session fuzzer (fuzz/session_fuzzer.cpp) found to break the replay, each
// kept with the behaviour it must have. Each input is in fuzz/corpus/ too, so that every
// fuzz run starts from it.
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "replay/replay_command.h"
#include "replay/session/session_reader.h"
#include "replay/session/strict_json.h"

namespace nimbo::replay {
namespace {

// Found on 8 December 2026: nlohmann's number overflow (out_of_range 406) left the reader
// as a foreign exception, and `nimbodock replay` aborted instead of refusing the session.
TEST(fuzz_regressions, a_number_beyond_a_double_is_an_invalid_session_naming_its_place) {
  const std::string text =
      "{\"steps\": [],\n  \"viewer\": {\"views\": {\"1\": {\"total\": [1, 3e400]}}}}";
  try {
    ReadSession(text);
    FAIL() << "read";
  } catch (const InvalidSession& invalid) {
    EXPECT_EQ(invalid.place(), "2:43");
    EXPECT_EQ(invalid.message(), "JSON number out of range: 3e400");
  }

  const std::filesystem::path file =
      std::filesystem::path(NIMBO_BINARY_DIR) / "fuzz_regressions_overflow.json";
  std::ofstream(file) << text;
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunReplay(ReplayOptions{file.string(), {}, {}, {}, false}, out, err),
            kExitInvalidSession);
  EXPECT_EQ(err.str(), file.string() + ":2:43: JSON number out of range: 3e400\n");
  EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace nimbo::replay
