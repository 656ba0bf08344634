// `nimbodock replay` as a person meets it: exit codes, messages, and output files that
// are written whole or not at all.
#include "replay/replay_command.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

namespace nimbo::replay {
namespace {

namespace fs = std::filesystem;

class replay_command : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "nimbodock-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Writes the session as s.json and replays it with every output named.
  int Replay(const std::string& session, bool withOutputs = true) {
    std::ofstream(dir_ / "s.json") << session;
    ReplayOptions options;
    options.session = (dir_ / "s.json").string();
    if (withOutputs) {
      options.transcript = (dir_ / "t.txt").string();
      options.state = (dir_ / "state.json").string();
      options.svg = (dir_ / "picture.svg").string();
    }
    out_.str("");
    err_.str("");
    return RunReplay(options, out_, err_);
  }
  // The message, without the directory of the session file.
  std::string Message() const {
    std::string message = err_.str();
    const std::string prefix = (dir_ / "s.json").string();
    if (message.starts_with(prefix)) message = "s.json" + message.substr(prefix.size());
    return message;
  }
  // Whatever the replay left in the directory besides the session.
  std::vector<std::string> Written() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      if (entry.path().filename() != "s.json") names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path dir_;
  std::ostringstream out_;
  std::ostringstream err_;
};

const std::string kMeasuredHeight = R"({
  "now": "2026-12-07T10:15:30",
  "documents": [{"name": "A.dwg"}],
  "steps": [{"do": "show"}, {"do": "dock"}, {"do": "activate", "document": "A.dwg"},
    {"do": "event", "event": "HeightMeasured", "args": [12.5, "<Save as text>", "<Save as text>"]
      USER}]})";

std::string WithAnswers(const std::string& answers) {
  std::string session = kMeasuredHeight;
  session.replace(session.find("USER"), 4, answers.empty() ? "" : ", \"user\": " + answers);
  return session;
}

TEST_F(replay_command, replays_to_its_end_and_writes_every_output) {
  EXPECT_EQ(Replay(WithAnswers(R"([{"button": "Yes"}, {"input": "2.5"}, {"point": [10, 20]}])")),
            kExitReplayed);
  EXPECT_EQ(err_.str(), "");
  EXPECT_EQ(out_.str(), "");  // the transcript went to its file
  EXPECT_EQ(Written(), (std::vector<std::string>{"picture.svg", "state.json", "t.txt"}));

  const std::string transcript = Read(dir_ / "t.txt");
  EXPECT_TRUE(transcript.starts_with("step 1 show\n")) << transcript;
  EXPECT_NE(transcript.find("step 4 event HeightMeasured\n"
                            "dialog confirm \"Saving measuring 12.5 using method <Save as text> "
                            "and sub-option <Save as text>\" caption \"VeskNIMBO\" -> Yes\n"),
            std::string::npos)
      << transcript;
  EXPECT_TRUE(
      transcript.ends_with("drawing A.dwg entity #1 added text on \"0\" \"12.5\" at (10, "
                           "20, 0) height 2.5\n"))
      << transcript;

  const auto state = nlohmann::json::parse(Read(dir_ / "state.json"));
  const auto& text = state["documents"][0]["modelSpace"][0];
  EXPECT_EQ(text["id"], "#1");
  EXPECT_EQ(text["type"], "text");
  EXPECT_EQ(text["text"], "12.5");
  EXPECT_EQ(text["at"], nlohmann::json::parse("[10, 20, 0]"));
  EXPECT_EQ(state["viewer"]["clientInfo"],
            nlohmann::json::parse(R"(["VeskNIMBO plug-in for Autodesk Map 2007/08/09", "2.5.2"])"));
  EXPECT_EQ(state["control"]["selectedPoint"], nlohmann::json::parse("[-999, -999]"));
  EXPECT_TRUE(state["control"]["layerNames"].is_null());

  const std::string svg = Read(dir_ / "picture.svg");
  EXPECT_TRUE(svg.starts_with("<?xml")) << svg.substr(0, 80);
  EXPECT_NE(svg.find(">12.5</text>"), std::string::npos);
}

TEST_F(replay_command, writes_the_transcript_to_standard_output_when_no_file_is_named) {
  EXPECT_EQ(Replay(R"({"steps": [{"do": "show"}]})", false), kExitReplayed);
  EXPECT_EQ(out_.str(),
            "step 1 show\n"
            "viewer SetClientInfo(\"VeskNIMBO plug-in for Autodesk Map 2007/08/09\", \"2.5.2\")\n");
  EXPECT_TRUE(Written().empty());
}

TEST_F(replay_command, an_invalid_session_exits_2_naming_the_place_and_writes_nothing) {
  EXPECT_EQ(Replay("{\"steps\": [\n  {\"do\": \"show\"\n]}"), kExitInvalidSession);
  EXPECT_EQ(Message(), "s.json:3:1: JSON syntax error: unexpected ']'; expected '}'\n");
  EXPECT_TRUE(Written().empty());

  EXPECT_EQ(Replay(R"({"steps": [{"do": "resize", "width": "6990", "height": 6300}]})"),
            kExitInvalidSession);
  EXPECT_EQ(Message(), "s.json: steps[0].width: expected a number, found a string\n");

  EXPECT_EQ(Replay(WithAnswers(R"([{"buton": "Yes"}])")), kExitInvalidSession);
  EXPECT_EQ(Message(),
            "s.json: steps[3].user[0]: unknown key \"buton\" (allowed: button, input, point, "
            "select)\n");

  EXPECT_EQ(Replay(R"({"steps": [{"do": "fail", "target": "drawing.Layer.Remove", "number": 5,
                                   "description": "x"}]})"),
            kExitInvalidSession);
  EXPECT_TRUE(
      Message().starts_with("s.json: steps[0].target: unknown fail target "
                            "\"drawing.Layer.Remove\" (targets of drawing.Layer: "))
      << Message();
  EXPECT_TRUE(Written().empty());

  ReplayOptions missing;
  missing.session = (dir_ / "absent.json").string();
  EXPECT_EQ(RunReplay(missing, out_, err_), kExitInvalidSession);
  EXPECT_NE(err_.str().find("absent.json: cannot read the session file"), std::string::npos);
}

TEST_F(replay_command, an_interaction_without_an_answer_exits_3_naming_step_and_interaction) {
  EXPECT_EQ(Replay(WithAnswers("")), kExitDisagreement);
  EXPECT_EQ(Message(),
            "s.json: step 4 (event HeightMeasured): dialog confirm \"Saving measuring 12.5 using "
            "method <Save as text> and sub-option <Save as text>\" caption \"VeskNIMBO\" found no "
            "answer left\n");
  EXPECT_TRUE(Written().empty());

  // The answers run out part-way; the transcript up to there goes to standard output.
  EXPECT_EQ(Replay(WithAnswers(R"([{"button": "Yes"}, {"input": "2.5"}])"), false),
            kExitDisagreement);
  EXPECT_EQ(Message(),
            "s.json: step 4 (event HeightMeasured): user pick \"Enter a point for text position: "
            "\" found no answer left\n");
  EXPECT_TRUE(out_.str().starts_with("step 1 show\n"));
  EXPECT_NE(out_.str().find("step 4 event HeightMeasured\n"), std::string::npos);

  EXPECT_EQ(Replay(WithAnswers(R"([{"button": "Yes"}, {"point": [1, 2]}])")), kExitDisagreement);
  EXPECT_TRUE(
      Message().starts_with("s.json: step 4 (event HeightMeasured): dialog input "
                            "\"Default text height in map units:\""))
      << Message();
  EXPECT_NE(Message().find("wants an input answer, but the next answer is another kind"),
            std::string::npos)
      << Message();
  EXPECT_TRUE(Written().empty());
}

TEST_F(replay_command, answers_left_unused_exit_3_naming_the_first_of_them) {
  EXPECT_EQ(Replay(WithAnswers(R"([{"button": "No"}, {"input": "2.5"}, {"point": [10, 20]}])")),
            kExitDisagreement);
  EXPECT_EQ(Message(),
            "s.json: step 4 (event HeightMeasured): 2 answers left unused, the first "
            "{\"input\": \"2.5\"}\n");
  EXPECT_TRUE(Written().empty());

  EXPECT_EQ(Replay(R"({"steps": [{"do": "show", "user": [{"select": ["a", "b"]}]}]})"),
            kExitDisagreement);
  EXPECT_EQ(
      Message(),
      "s.json: step 1 (show): 1 answer left unused, the first {\"select\": [\"a\", \"b\"]}\n");
}

TEST_F(replay_command, an_output_that_cannot_be_written_exits_1_and_leaves_no_other) {
  std::ofstream(dir_ / "s.json") << R"({"steps": [{"do": "show"}]})";
  ReplayOptions options;
  options.session = (dir_ / "s.json").string();
  options.transcript = (dir_ / "t.txt").string();
  options.state = (dir_ / "state.json").string();
  options.svg = (dir_ / "no-such-folder" / "picture.svg").string();
  EXPECT_EQ(RunReplay(options, out_, err_), kExitFailed);
  EXPECT_NE(err_.str().find("cannot write " + *options.svg + ": No such file or directory"),
            std::string::npos)
      << err_.str();
  EXPECT_TRUE(Written().empty());  // neither the others nor a temporary file
  EXPECT_EQ(out_.str(), "");
}

TEST_F(replay_command, replaces_an_existing_output_whole) {
  std::ofstream(dir_ / "t.txt") << "an older transcript, much longer than the new one\n";
  EXPECT_EQ(Replay(R"({"steps": [{"do": "show"}]})"), kExitReplayed);
  EXPECT_TRUE(Read(dir_ / "t.txt").starts_with("step 1 show\nviewer SetClientInfo("));
  EXPECT_EQ(Written(), (std::vector<std::string>{"picture.svg", "state.json", "t.txt"}));
}

}  // namespace
}  // namespace nimbo::replay

namespace nimbo::replay {
namespace {

// The command line itself, through the built program (skipped when it is not built).
class nimbodock_program : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = std::filesystem::path(NIMBO_BINARY_DIR) / "nimbodock";
    if (!std::filesystem::exists(program_)) GTEST_SKIP() << program_ << " is not built";
  }
  // Runs the program with `arguments`; answers its exit code and what it printed.
  int Run(const std::string& arguments, std::string& printed) {
    const std::string command = "'" + program_.string() + "' " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    printed.clear();
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) printed.append(buffer, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::filesystem::path program_;
};

TEST_F(nimbodock_program, explains_itself_and_refuses_a_wrong_command_line) {
  std::string printed;
  EXPECT_EQ(Run("--help", printed), 0);
  EXPECT_NE(printed.find("replay"), std::string::npos) << printed;
  EXPECT_NE(printed.find("targets"), std::string::npos) << printed;
  EXPECT_EQ(Run("replay --help", printed), 0);
  for (const char* part : {"--transcript FILE", "--state FILE.json", "--svg FILE.svg",
                           "2  the session file is invalid", "3  the session and the control"}) {
    EXPECT_NE(printed.find(part), std::string::npos) << part << " in " << printed;
  }
  EXPECT_EQ(Run("replay", printed), kExitFailed);
  EXPECT_NE(printed.find("SESSION is required"), std::string::npos) << printed;
  EXPECT_EQ(Run("targets", printed), 0);
  EXPECT_NE(printed.find("\ndrawing.Layers.Add\n"), std::string::npos);
  EXPECT_NE(printed.find("\nmap.ODRecord.AttachTo\n"), std::string::npos);
  EXPECT_NE(printed.find("\nviewer.RefreshOverlays\n"), std::string::npos);
}

TEST_F(nimbodock_program, exits_with_the_replays_code) {
  const std::string examples = std::string(NIMBO_SOURCE_DIR) + "/examples/";
  std::string printed;
  EXPECT_EQ(Run("replay '" + examples + "measure-height.json'", printed), kExitReplayed);
  EXPECT_TRUE(printed.starts_with("step 1 show\n")) << printed.substr(0, 200);
  EXPECT_EQ(Run("replay '" + examples + "no-such-session.json'", printed), kExitInvalidSession);
}

}  // namespace
}  // namespace nimbo::replay
