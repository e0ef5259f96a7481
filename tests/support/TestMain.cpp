// Every test process runs in a scratch layout of its own, made from the
// tree's current files: a working directory with the font beside the data
// directories. Tests run in parallel, and each writes its own korvane.log
// and score file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include <korvane/GameManager.h>

namespace fs = std::filesystem;

namespace {

fs::path makeScratchLayout() {
  const fs::path source(KO_SOURCE_DIR);
  std::string dir_template = (fs::temp_directory_path() / "korvane-test-XXXXXX").string();
  if (mkdtemp(&dir_template[0]) == nullptr) return {};
  const fs::path root(dir_template);
  fs::create_directory(root / "work");
  fs::create_symlink(source / "run" / "ko-font.ttf", root / "work" / "ko-font.ttf");
  fs::create_directory_symlink(source / "sprites", root / "sprites");
  fs::create_directory_symlink(source / "sounds", root / "sounds");
  // Only what the game ships: a score or its temporaries left in the tree
  // by playing must not leak into a test.
  fs::create_directory(root / "data");
  fs::copy_file(source / "data" / "data.txt", root / "data" / "data.txt");
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
