// Every test process runs in a scratch copy of the game's layout of its
// own: a working directory with the font beside the data directories. Tests
// run in parallel, and each writes its own korvane.log and score file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "GameManager.h"

namespace fs = std::filesystem;

namespace {

fs::path makeScratchLayout() {
  const fs::path shared_root = fs::path(KO_TEST_WORKDIR).parent_path();
  std::string dir_template = (fs::temp_directory_path() / "korvane-test-XXXXXX").string();
  if (mkdtemp(&dir_template[0]) == nullptr) return {};
  const fs::path root(dir_template);
  fs::create_directory(root / "work");
  fs::create_symlink(fs::path(KO_TEST_WORKDIR) / "ko-font.ttf", root / "work" / "ko-font.ttf");
  fs::create_directory_symlink(shared_root / "sprites", root / "sprites");
  fs::create_directory_symlink(shared_root / "sounds", root / "sounds");
  fs::copy(shared_root / "data", root / "data", fs::copy_options::recursive);
  return root;
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const fs::path root = makeScratchLayout();
  if (root.empty()) {
    std::cerr << "cannot create a scratch directory for the tests\n";
    return 1;
  }
  fs::current_path(root / "work");
  const int result = RUN_ALL_TESTS();
  // The world owns what tests created with new; shutting the engine down
  // deletes it while every manager is still alive.
  ko::GameManager::getInstance().shutDown();
  if (std::getenv("KO_KEEP_TEST_DIR") == nullptr) {
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
    fs::remove_all(root, ignored);
  } else {
    std::cerr << "test directory kept: " << root << "\n";
  }
  return result;
}
