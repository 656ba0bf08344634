// A staged file reaches its destination whole or not at all.
#include "replay/output/staged_file.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/resource.h>
#endif

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "replay/output/output_files.h"

namespace nimbo::replay {
namespace {

namespace fs = std::filesystem;

class staged_file : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    for (int attempt = 0; attempt < 100 && dir_.empty(); ++attempt) {
      const fs::path dir =
          fs::temp_directory_path() / ("nimbodock-staged-" + std::to_string(random()));
      if (fs::create_directory(dir)) dir_ = dir;
    }
    ASSERT_FALSE(dir_.empty());
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path dir_;
};

TEST_F(staged_file, written_in_pieces_it_replaces_its_destination_only_when_renamed) {
  std::ofstream(dir_ / "t.txt", std::ios::binary) << "the older content\n";
  StagedFile file((dir_ / "t.txt").string());
  file.AppendLine("one");
  file.Append(std::string(3 << 20, 'x'));  // more than the buffer holds
  file.AppendLine("");
  file.AppendLine("two");
  file.Finish();
  EXPECT_EQ(Read(dir_ / "t.txt"), "the older content\n");
  EXPECT_EQ(Names().size(), 2u);  // the destination and the temporary file
  file.Rename();
  EXPECT_EQ(Read(dir_ / "t.txt"), "one\n" + std::string(3 << 20, 'x') + "\ntwo\n");
  EXPECT_EQ(Names(), std::vector<std::string>{"t.txt"});
}

TEST_F(staged_file, one_dropped_before_its_rename_leaves_nothing) {
  {
    StagedFile file((dir_ / "t.txt").string());
    file.AppendLine("never placed");
    file.Finish();
  }
  EXPECT_TRUE(Names().empty());
}

// A write made to fail by the file size limit, which Windows does not have.
#if !defined(_WIN32)
TEST_F(staged_file, a_failed_write_is_never_finished_nor_renamed) {
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit lowered = saved;
  lowered.rlim_cur = 1000;
  {
    StagedFile file((dir_ / "t.txt").string());
    setrlimit(RLIMIT_FSIZE, &lowered);
    EXPECT_THROW(file.Append(std::string(2 << 20, 'x')), OutputError);
    setrlimit(RLIMIT_FSIZE, &saved);
    try {
      file.Finish();
      ADD_FAILURE() << "a file that failed a write was finished";
    } catch (const OutputError& error) {
      EXPECT_NE(std::string(error.what()).find("cannot write " + (dir_ / "t.txt").string()),
                std::string::npos)
          << error.what();
    }
    EXPECT_THROW(file.Rename(), OutputError);
    EXPECT_FALSE(fs::exists(dir_ / "t.txt"));
  }
  std::signal(SIGXFSZ, previous);
  EXPECT_TRUE(Names().empty());
}
#endif

TEST_F(staged_file, a_destination_that_cannot_be_replaced_stays_and_the_staged_file_goes) {
  fs::create_directory(dir_ / "t.txt");  // a folder where the file would go
  std::ofstream(dir_ / "t.txt" / "kept", std::ios::binary) << "kept\n";
  {
    StagedFile file((dir_ / "t.txt").string());
    file.AppendLine("never placed");
    try {
      file.Rename();
      ADD_FAILURE() << "a folder was replaced by a file";
    } catch (const OutputError& error) {
      EXPECT_EQ(
          std::string(error.what()).rfind("cannot write " + (dir_ / "t.txt").string() + ": ", 0),
          0u)
          << error.what();
    }
  }
  EXPECT_EQ(Names(), std::vector<std::string>{"t.txt"});
  EXPECT_EQ(Read(dir_ / "t.txt" / "kept"), "kept\n");
}

TEST_F(staged_file, one_beside_a_missing_folder_is_refused_naming_it) {
  const std::string path = (dir_ / "no-such-folder" / "t.txt").string();
  try {
    StagedFile file(path);
    ADD_FAILURE() << "staged beside a missing folder";
  } catch (const OutputError& error) {
    EXPECT_EQ(std::string(error.what()), "cannot write " + path + ": No such file or directory");
  }
}

}  // namespace
}  // namespace nimbo::replay
