// Every example session replays to exactly its reviewed transcript, byte for byte.
//
// The expected transcripts are tests/replay/golden/<example>.txt. To rewrite them after
// a deliberate change of behaviour, run
//   NIMBO_UPDATE_GOLDEN=1 build/replay_tests --gtest_filter='golden*'
// then read every changed line with `git diff` before
// committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "replay/dxf_documents.h"
#include "replay/replay_world.h"
#include "replay/replayer.h"
#include "replay/session/session_reader.h"

namespace nimbo::replay {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(NIMBO_SOURCE_DIR) / "examples";
const fs::path kGolden = fs::path(NIMBO_SOURCE_DIR) / "tests" / "replay" / "golden";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Replay(const fs::path& sessionPath) {
  Session session = ReadSession(ReadFile(sessionPath));
  std::ostringstream report;
  LoadDxfDrawings(session, sessionPath.string(), report);
  ReplayWorld world(session);
  const auto disagreement = RunSteps(world, session);
  EXPECT_FALSE(disagreement.has_value()) << sessionPath << ": " << disagreement->message;
  return TranscriptText(world.journal);
}

bool Updating() {
  const char* flag = std::getenv("NIMBO_UPDATE_GOLDEN");
  return flag != nullptr && std::string(flag) == "1";
}

std::set<std::string> Stems(const fs::path& folder, const std::string& extension) {
  std::set<std::string> stems;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == extension) stems.insert(entry.path().stem().string());
  }
  return stems;
}

TEST(golden_transcripts, every_example_has_one_and_every_one_an_example) {
  if (Updating()) GTEST_SKIP() << "rewriting the golden transcripts";
  EXPECT_EQ(Stems(kExamples, ".json"), Stems(kGolden, ".txt"));
  EXPECT_GE(Stems(kExamples, ".json").size(), 5u);
}

TEST(golden_transcripts, each_example_replays_to_its_reviewed_transcript) {
  for (const std::string& example : Stems(kExamples, ".json")) {
    SCOPED_TRACE(example);
    const std::string transcript = Replay(kExamples / (example + ".json"));
    const fs::path golden = kGolden / (example + ".txt");
    if (Updating()) {
      std::ofstream(golden, std::ios::binary) << transcript;
      continue;
    }
    ASSERT_TRUE(fs::exists(golden)) << "no golden transcript " << golden;
    EXPECT_EQ(transcript, ReadFile(golden))
        << "the transcript of examples/" << example << ".json changed; if that is meant, "
        << "rewrite it with NIMBO_UPDATE_GOLDEN=1 and review the diff";
  }
}

TEST(golden_transcripts, a_replay_gives_the_same_bytes_every_time) {
  const fs::path session = kExamples / "overlays.json";
  EXPECT_EQ(Replay(session), Replay(session));
}

}  // namespace
}  // namespace nimbo::replay
