// Main's steps for each command line, recorded by a stand-in system: what is read, looked for,
// shown and created, and where the host ends.
#include "startup_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "startup_state.h"

namespace orv {
namespace {

class RecordingStartup : public StartupSystem {
 public:
  bool otherInstance = false, renderer = true, saverCreated = true;
  std::vector<std::string> steps;

  bool OtherInstanceRunning() override { return otherInstance; }
  void ShowPreview(std::optional<int32_t> parent) override {
    steps.push_back("preview " + (parent ? std::to_string(*parent) : std::string("none")));
  }
  void LoadSettings() override { steps.push_back("load settings"); }
  bool RendererExists() override {
    steps.push_back("look for the renderer");
    return renderer;
  }
  void ShowMessage(const std::string& text, const std::string& caption) override {
    steps.push_back("message " + text + " / " + caption);
  }
  void ShowSettingsDialog() override { steps.push_back("settings dialog"); }
  int32_t HideCursor() override {
    steps.push_back("hide cursor");
    return -1;
  }
  bool CreateSaverWindow() override {
    steps.push_back("saver window");
    return saverCreated;
  }
  void EndHost() override { steps.push_back("end"); }
};

using Steps = std::vector<std::string>;
const std::string kMessage = "message Orvellia.dll が同じﾌｫﾙﾀﾞに見つかりません！ / Orvellia";

TEST(Startup, StepsForEachCommandLine) {
  struct Case {
    const char* args;
    bool renderer;
    Steps steps;
  } cases[] = {
      {"/s", true, {"load settings", "look for the renderer", "hide cursor", "saver window"}},
      {"-S", true, {"load settings", "look for the renderer", "hide cursor", "saver window"}},
      // An empty command line runs the saver with the cursor left visible.
      {"", true, {"load settings", "look for the renderer", "saver window"}},
      {"/c", true, {"load settings", "look for the renderer", "settings dialog", "end"}},
      {"/c:1234", true, {"load settings", "look for the renderer", "settings dialog", "end"}},
      // Any other letter ends without a word, after the settings and the renderer check.
      {"/a", true, {"load settings", "look for the renderer", "end"}},
      {"s", true, {"load settings", "look for the renderer", "end"}},
      // Without the renderer the message comes first, in every mode but the preview.
      {"/a", false, {"load settings", "look for the renderer", kMessage, "end"}},
      {"/c", false, {"load settings", "look for the renderer", kMessage, "end"}},
      {"/s", false, {"load settings", "look for the renderer", kMessage, "end"}},
      // The preview reads no settings and does not look for the renderer.
      {"/p 1234", false, {"preview 1234"}},
      {"/p:1234", true, {"preview 1234"}},
  };
  for (const Case& c : cases) {
    RecordingStartup system;
    system.renderer = c.renderer;
    RunMain(c.args, system);
    EXPECT_EQ(c.steps, system.steps) << "arguments '" << c.args << "', renderer " << c.renderer;
  }
}

TEST(Startup, ASecondStartEndsAtOnceInEveryMode) {
  for (const char* args : {"/s", "", "/c", "/p 1234", "/a"}) {
    RecordingStartup system;
    system.otherInstance = true;
    RunMain(args, system);
    EXPECT_EQ(Steps{"end"}, system.steps) << "arguments '" << args << "'";
  }
}

TEST(Startup, CursorCountKeptOnlyWhenTheCursorIsHidden) {
  for (auto [args, hidden] : {std::pair{"/s", true}, {"", false}, {"/c", false}}) {
    Lumenfall_B::CursorCount.reset();
    RecordingStartup system;
    RunMain(args, system);
    EXPECT_EQ(hidden ? std::optional<int32_t>(-1) : std::nullopt, Lumenfall_B::CursorCount) << args;
  }
}

// The host lives exactly as long as its one window: without it, it ends.
TEST(Startup, HostEndsWhenTheSaverWindowCannotBeCreated) {
  for (const char* args : {"/s", ""}) {
    RecordingStartup system;
    system.saverCreated = false;
    RunMain(args, system);
    ASSERT_FALSE(system.steps.empty());
    EXPECT_EQ("saver window", system.steps[system.steps.size() - 2]) << args;
    EXPECT_EQ("end", system.steps.back()) << args;
  }
}

}  // namespace
}  // namespace orv
