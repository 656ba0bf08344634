// The transcript leaves memory as the replay runs: it goes step by step into a temporary
// file beside its destination, which becomes the destination only when the replay ends
// well, and is byte for byte what the replay held whole before.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "replay/output/staged_file.h"
#include "replay/replay_command.h"
#include "replay/replay_world.h"
#include "replay/replayer.h"
#include "replay/session/session_reader.h"

namespace nimbo::replay {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A show, then `resizes` resize steps; `lastStep` ends it when given.
std::string LongSession(int resizes, const std::string& lastStep = "") {
  std::string steps = R"({"do": "show"})";
  for (int k = 0; k < resizes; ++k) {
    steps += R"(, {"do": "resize", "width": )" + std::to_string(6000 + k) + R"(, "height": 6300})";
  }
  if (!lastStep.empty()) steps += ", " + lastStep;
  return R"({"now": "2026-12-07T10:15:30", "steps": [)" + steps + "]}";
}

class streamed_transcript : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "nimbodock-stream-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  int Replay(const std::string& session, bool toFile = true) {
    std::ofstream(dir_ / "s.json") << session;
    ReplayOptions options;
    options.session = (dir_ / "s.json").string();
    if (toFile) options.transcript = (dir_ / "t.txt").string();
    out_.str("");
    err_.str("");
    return RunReplay(options, out_, err_);
  }
  std::vector<std::string> Written() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      if (entry.path().filename() != "s.json") names.push_back(entry.path().filename().string());
    }
    return names;
  }

  fs::path dir_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(streamed_transcript, every_example_streams_to_exactly_its_reviewed_transcript) {
  const fs::path examples = fs::path(NIMBO_SOURCE_DIR) / "examples";
  const fs::path golden = fs::path(NIMBO_SOURCE_DIR) / "tests" / "replay" / "golden";
  int compared = 0;
  for (const auto& entry : fs::directory_iterator(examples)) {
    if (entry.path().extension() != ".json") continue;
    const fs::path expected = golden / (entry.path().stem().string() + ".txt");
    if (!fs::exists(expected)) continue;
    ReplayOptions options;
    options.session = entry.path().string();
    options.transcript = (dir_ / "t.txt").string();
    ASSERT_EQ(RunReplay(options, out_, err_), kExitReplayed) << entry.path() << err_.str();
    EXPECT_EQ(ReadFile(dir_ / "t.txt"), ReadFile(expected)) << entry.path();

    options.transcript.reset();
    out_.str("");
    ASSERT_EQ(RunReplay(options, out_, err_), kExitReplayed) << entry.path() << err_.str();
    EXPECT_EQ(out_.str(), ReadFile(expected)) << entry.path();
    ++compared;
  }
  EXPECT_GT(compared, 0);
}

TEST_F(streamed_transcript, the_journal_holds_no_more_than_one_steps_lines_while_it_runs) {
  const Session session = ReadSession(LongSession(500));
  ReplayWorld world(session);
  StagedFile file((dir_ / "t.txt").string());
  size_t received = 0;
  size_t mostHeld = 0;
  world.journal.SetSink([&](const std::string& line) {
    mostHeld = std::max(mostHeld, world.journal.Lines().size());
    ++received;
    file.AppendLine(line);
  });
  size_t stepsSeen = 0;
  const auto disagreement = RunSteps(world, session, [&](size_t, size_t) {
    ++stepsSeen;
    EXPECT_TRUE(world.journal.Lines().empty());
    EXPECT_EQ(received, world.journal.Mark());
    EXPECT_FALSE(fs::exists(dir_ / "t.txt"));  // only the temporary file, until the end
    EXPECT_EQ(Written().size(), 1u);
  });
  ASSERT_FALSE(disagreement.has_value()) << disagreement->message;
  EXPECT_EQ(stepsSeen, 501u);
  EXPECT_GT(received, 1000u);
  EXPECT_LE(mostHeld, 10u);  // one resize's lines, never the whole transcript

  file.Rename();
  EXPECT_EQ(Written(), std::vector<std::string>{"t.txt"});
  const std::string text = ReadFile(dir_ / "t.txt");
  EXPECT_EQ(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')), received);
  EXPECT_TRUE(text.starts_with("step 1 show\n")) << text.substr(0, 80);
  EXPECT_NE(text.find("step 501 resize 6499 6300\n"), std::string::npos);
}

TEST_F(streamed_transcript, a_disagreement_at_the_end_leaves_neither_target_nor_temporary_file) {
  const std::string unused =
      R"({"do": "resize", "width": 1, "height": 1, "user": [{"button": "Yes"}]})";
  EXPECT_EQ(Replay(LongSession(300, unused)), kExitDisagreement);
  EXPECT_NE(err_.str().find("step 302 (resize): 1 answer left unused"), std::string::npos)
      << err_.str();
  EXPECT_TRUE(Written().empty());
  EXPECT_EQ(out_.str(), "");

  // Without a file the transcript up to there still goes to standard output.
  EXPECT_EQ(Replay(LongSession(300, unused), false), kExitDisagreement);
  EXPECT_TRUE(out_.str().starts_with("step 1 show\n"));
  EXPECT_NE(out_.str().find("step 302 resize 1 1\n"), std::string::npos);
  EXPECT_TRUE(Written().empty());
}

// Lowers the largest file this process may write, for as long as it lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);  // a write past it fails instead
    rlimit lowered = saved_;
    lowered.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }

 private:
  rlimit saved_{};
  void (*previous_)(int) = nullptr;
};

TEST_F(streamed_transcript, a_transcript_that_cannot_be_written_exits_1_and_leaves_nothing) {
  std::ofstream(dir_ / "s.json") << LongSession(300);
  ReplayOptions options;
  options.session = (dir_ / "s.json").string();
  options.transcript = (dir_ / "t.txt").string();
  int code = 0;
  {
    const FileSizeLimit limit(1000);
    code = RunReplay(options, out_, err_);
  }
  EXPECT_EQ(code, kExitFailed);
  EXPECT_NE(err_.str().find("cannot write " + *options.transcript + ": File too large"),
            std::string::npos)
      << err_.str();
  EXPECT_TRUE(Written().empty());
  EXPECT_EQ(out_.str(), "");
}

}  // namespace
}  // namespace nimbo::replay
