// The scripts that drive the real program need the X display and a few
// tools. Without one, a developer's plain ctest run skips them (status 77);
// the test command sets KO_REQUIRE_TOOLS, and there they fail, since ctest
// reports a skipped test as no failure and the suite would pass without
// having run them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace {

struct ToolCase {
  const char* name;
  bool display;
  bool required;
  const char* tools;
  int status;
  const char* said;  // part of the output; "" for none at all
};

void PrintTo(const ToolCase& c, std::ostream* os) { *os << c.name; }

class ToolCheck : public ::testing::TestWithParam<ToolCase> {};

TEST_P(ToolCheck, SkipsOrFailsAsAskedAndNamesWhatIsMissing) {
  const ToolCase& c = GetParam();
  // Not under a sanitizer runtime that a sanitized test run preloads.
  std::string command = "env -u LD_PRELOAD -u DISPLAY -u KO_REQUIRE_TOOLS ";
  if (c.display) command += "DISPLAY=:0 ";
  if (c.required) command += "KO_REQUIRE_TOOLS=1 ";
  command += std::string("bash -c 'source \"$0\"; need_display_and_tools ") + c.tools +
             "; echo returned' " KO_SOURCE_DIR "/tests/support/program-run.sh 2>&1";
  FILE* p_pipe = popen(command.c_str(), "r");
  ASSERT_NE(p_pipe, nullptr);
  std::string out;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, p_pipe) != nullptr) out += buffer;
  const int wait_status = pclose(p_pipe);
  ASSERT_TRUE(WIFEXITED(wait_status)) << out;
  EXPECT_EQ(WEXITSTATUS(wait_status), c.status) << out;
  if (c.status == 0) {
    EXPECT_EQ(out, "returned\n");
  } else {
    EXPECT_NE(out.find(c.said), std::string::npos) << out;
    EXPECT_EQ(out.find("returned"), std::string::npos) << out;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToolCheck,
    ::testing::Values(
        ToolCase{"AllThere", true, true, "bash env", 0, ""},
        ToolCase{"ToolMissing", true, false, "bash ko-no-such-tool", 77,
                 "skipped: this test needs ko-no-such-tool (not installed)"},
        ToolCase{"ToolMissingRequired", true, true, "bash ko-no-such-tool", 1,
                 "FAIL: this test needs ko-no-such-tool (not installed)"},
        ToolCase{"NoDisplay", false, false, "bash", 77,
                 "skipped: this test needs an X display (DISPLAY is not set)"},
        ToolCase{"NoDisplayRequired", false, true, "bash", 1,
                 "FAIL: this test needs an X display (DISPLAY is not set)"},
        ToolCase{"EverythingMissingRequired", false, true, "ko-no-such-tool ko-nor-this", 1,
                 "needs an X display (DISPLAY is not set), ko-no-such-tool (not installed), "
                 "ko-nor-this (not installed)"}),
    [](const ::testing::TestParamInfo<ToolCase>& case_info) { return case_info.param.name; });

}  // namespace
