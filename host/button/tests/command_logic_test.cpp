// The Command button's logic without windows: the state table as event sequences, the drawing
// plan, the gradient colours and the saved properties.
#include "command_logic.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace orv::button {
namespace {

// Records what the control asks of its window.
struct FakeSurface : CommandSurface {
  int width = 1215, height = 375;  // the settings dialog's Set button
  std::vector<std::string> looks;   // "Picture/white" or "Picture/lavender" (top colour)
  std::vector<std::string> notices;
  unsigned pollInterval = 0;
  int Width() const override { return width; }
  int Height() const override { return height; }
  void DrawLook(Picture p, bool highlightGradient) override {
    looks.push_back(std::string(PictureName(p)) + (highlightGradient ? "/lavender" : "/white"));
  }
  void LabelChanged() override {}
  void BackStyleChanged() override {}
  void StartPoll(unsigned ms) override { pollInterval = ms; }
  void PropertyChanged(const char* name) override { notices.push_back(name); }
  std::string TakeLooks() {
    std::string s;
    for (const std::string& l : looks) s += (s.empty() ? "" : " ") + l;
    looks.clear();
    return s;
  }
};

// One step of a sequence: an event, then the state, the looks drawn and whether Click is raised.
struct Step {
  std::string event;  // enter, focus, blur, downL, upL, downR, upR, pollOut, pollIn, resize
  int state;
  std::string looks;
  bool click = false;
};

bool Apply(Command& c, const std::string& e) {
  if (e == "enter") c.MouseMove(0);
  else if (e == "moveHeld") c.MouseMove(LeftButton);
  else if (e == "focus") c.GotFocus();
  else if (e == "blur") c.LostFocus();
  else if (e == "downL") c.MouseDown(LeftButton);
  else if (e == "downR") c.MouseDown(RightButton);
  else if (e == "upL") return c.MouseUp(LeftButton);
  else if (e == "upR") return c.MouseUp(RightButton);
  else if (e == "upM") return c.MouseUp(MiddleButton);
  else if (e == "pollOut") c.PollTick(false);
  else if (e == "pollIn") c.PollTick(true);
  else if (e == "resize") c.Resize();
  else ADD_FAILURE() << "unknown event " << e;
  return false;
}

// An enabled, initialised control in state 1, nothing recorded yet.
struct Ready {
  FakeSurface surface;
  Command c{surface};
  Ready() {
    c.Enabled();
    c.Initialize();
    surface.looks.clear();
    surface.notices.clear();
  }
  void Run(const std::vector<Step>& steps) {
    for (size_t i = 0; i < steps.size(); ++i) {
      const Step& s = steps[i];
      bool click = Apply(c, s.event);
      SCOPED_TRACE("step " + std::to_string(i) + " " + s.event);
      EXPECT_EQ(s.state, c.State().ButtonState);
      EXPECT_EQ(s.looks, surface.TakeLooks());
      EXPECT_EQ(s.click, click);
    }
  }
};

TEST(CommandStateTable, PointerEntersIsPressedReleasedAndLeaves) {
  Ready r;
  r.Run({{"enter", 2, "HighLight/lavender"},
         {"focus", 4, "Pressed/lavender"},  // the press gives the focus under the pointer
         {"downL", 4, "Pressed/lavender"},
         {"upL", 4, "HighLightSelect/lavender", true},
         {"pollIn", 4, ""},
         {"pollOut", 3, "Selected/white"},
         {"blur", 1, "Normal/white"}});
}

TEST(CommandStateTable, PressBeforeFocusEndsTheSame) {
  Ready r;
  r.Run({{"enter", 2, "HighLight/lavender"},
         {"downL", 2, "Pressed/lavender"},
         {"focus", 4, "Pressed/lavender"},
         {"upL", 4, "HighLightSelect/lavender", true}});
}

TEST(CommandStateTable, DragOutPastAPollThenReleaseRaisesNoClick) {
  Ready r;
  r.Run({{"enter", 2, "HighLight/lavender"},
         {"focus", 4, "Pressed/lavender"},
         {"downL", 4, "Pressed/lavender"},
         {"pollOut", 3, "Selected/white"},
         {"moveHeld", 3, ""},  // back over the control with the button held: MouseIsDown blocks
         {"upL", 3, "", false}});
}

TEST(CommandStateTable, ReleaseOutsideBeforeTheNextPollStillClicks) {
  Ready r;
  r.Run({{"enter", 2, "HighLight/lavender"},
         {"focus", 4, "Pressed/lavender"},
         {"downL", 4, "Pressed/lavender"},
         {"upL", 4, "HighLightSelect/lavender", true},
         {"pollOut", 3, "Selected/white"}});
}

TEST(CommandStateTable, FocusedControlHoveredPressedAndReleased) {
  Ready r;
  r.Run({{"focus", 3, "Selected/white"},
         {"enter", 4, "HighLightSelect/white"},  // reached from 3: white-topped
         {"downL", 4, "Pressed/white"},
         {"upL", 4, "HighLightSelect/white", true}});
}

TEST(CommandStateTable, LeftReleaseWithoutFocusDrawsNormalOverTheHoverGradient) {
  Ready r;
  r.Run({{"enter", 2, "HighLight/lavender"},
         {"downL", 2, "Pressed/lavender"},
         {"upL", 2, "Normal/lavender", true},
         {"pollIn", 2, ""},
         {"pollOut", 1, "Normal/white"}});
}

TEST(CommandStateTable, RightButtonShowsNothingAndClicksInEveryStateButSelected) {
  const std::vector<std::vector<std::string>> reach = {{}, {"enter"}, {"focus"}, {"focus", "enter"}};
  for (size_t i = 0; i < reach.size(); ++i) {
    Ready r;
    for (const std::string& e : reach[i]) Apply(r.c, e);
    r.surface.looks.clear();
    int state = static_cast<int>(i) + 1;
    SCOPED_TRACE("state " + std::to_string(state));
    r.Run({{"downR", state, ""}, {"upR", state, "", state != 3}, {"upM", state, "", state != 3}});
  }
}

TEST(CommandStateTable, DisabledControlIgnoresEverythingAndKeepsItsState) {
  Ready r;
  r.Run({{"focus", 3, "Selected/white"}});
  r.c.Enabled(False);
  EXPECT_EQ("Disable/white", r.surface.TakeLooks());
  r.Run({{"enter", 3, ""}, {"downL", 3, ""}, {"upL", 3, ""}, {"upR", 3, ""},
         {"blur", 3, ""}, {"focus", 3, ""}, {"pollOut", 3, ""}});
  EXPECT_EQ(False, r.c.State().MouseIsDown);
  // Enabling again draws Normal whatever the state, and resumes from the frozen state.
  r.c.Enabled(True);
  EXPECT_EQ("Normal/white", r.surface.TakeLooks());
  r.Run({{"enter", 4, "HighLightSelect/white"}});
}

TEST(CommandStateTable, ResizeDrawsByEnabledNotByState) {
  Ready r;
  r.Run({{"enter", 2, "HighLight/lavender"}, {"resize", 2, "Normal/lavender"}});
  r.c.Enabled(False);
  r.surface.looks.clear();
  r.Run({{"resize", 2, "Disable/lavender"}});
}

TEST(CommandStateTable, BeforeInitializeNoHoverAndNoPoll) {
  FakeSurface s;
  Command c(s);
  c.Enabled();
  s.looks.clear();
  c.MouseMove(0);
  EXPECT_EQ(0, c.State().ButtonState);
  EXPECT_EQ("", s.TakeLooks());
  EXPECT_FALSE(c.PollRunning());
  c.GotFocus();  // the focus rows move state 0
  EXPECT_EQ(3, c.State().ButtonState);
  s.looks.clear();
  c.Initialize();
  EXPECT_EQ(1, c.State().ButtonState);
  EXPECT_EQ(100u, s.pollInterval);
  EXPECT_EQ("", s.TakeLooks());  // Initialize draws nothing
}

// --- Drawing plan -------------------------------------------------------------------------------

TEST(CommandPaintPlan, DesignSizeStretchesEdgesAndCentresTheCaption) {
  auto plan = PaintPlan(1755, 420);
  auto eq = [](TwipRect a, TwipRect b) { return a.X == b.X && a.Y == b.Y && a.W == b.W && a.H == b.H; };
  const TwipRect dest[8] = {{1, 1, 60, 60},      {60, 1, 1635, 60},   {1695, 1, 60, 60},
                            {1695, 60, 60, 300}, {1695, 360, 60, 60}, {60, 360, 1635, 60},
                            {1, 360, 60, 60},    {1, 60, 60, 300}};
  const TwipRect src[8] = {{0, 0, 60, 60},     {60, 1, 840, 60},   {900, 1, 60, 60},
                           {900, 60, 60, 255}, {900, 315, 60, 60}, {60, 315, 840, 60},
                           {0, 315, 60, 60},   {1, 60, 60, 255}};
  for (int i = 0; i < 8; ++i) {
    EXPECT_TRUE(eq(dest[i], plan[i].Dest)) << "piece " << i + 1;
    EXPECT_TRUE(eq(src[i], plan[i].Src)) << "piece " << i + 1;
  }
  EXPECT_FLOAT_EQ(102.5f, CaptionTop(420, 195));
}

TEST(CommandPaintPlan, DialogHeightCopiesSideStripsUnstretched) {
  auto plan = PaintPlan(1215, 375);
  EXPECT_EQ(plan[3].Src.H, plan[3].Dest.H);  // right edge 255 -> 255
  EXPECT_EQ(plan[7].Src.H, plan[7].Dest.H);  // left edge
  EXPECT_FLOAT_EQ(80.0f, CaptionTop(375, 195));
  // In pixels at 96 dpi: 4-pixel corners, the top strip 56 -> 73 pixels, the sides 17 -> 17.
  EXPECT_EQ(0, tk::Px(plan[0].Dest.X));
  EXPECT_EQ(73, tk::Px(plan[1].Dest.W));
  EXPECT_EQ(56, tk::Px(plan[1].Src.W));
  EXPECT_EQ(77, tk::Px(plan[2].Dest.X));
  EXPECT_EQ(17, tk::Px(plan[3].Dest.H));
  EXPECT_EQ(21, tk::Px(plan[4].Dest.Y));
}

TEST(CommandPaintPlan, DrawingPlacesTheCaptionForTheSize) {
  FakeSurface s;
  s.width = 1755;
  s.height = 420;
  Command c(s);
  c.Enabled();
  EXPECT_FLOAT_EQ(102.5f, c.LblMsg().Top);
  EXPECT_FLOAT_EQ(1755.0f, c.LblMsg().Width);
  // A new caption keeps the old position until the next drawing.
  s.height = 375;
  c.Caption("設定");
  EXPECT_FLOAT_EQ(102.5f, c.LblMsg().Top);
  c.Resize();
  EXPECT_FLOAT_EQ(80.0f, c.LblMsg().Top);
}

TEST(CommandGradient, ColourTextsAreReadRedGreenBlue) {
  GradientColour lav = ColourFromText("&HC6C5D7");
  EXPECT_EQ(0xC600, lav.Red);
  EXPECT_EQ(0xC500, lav.Green);
  EXPECT_EQ(0xD700, lav.Blue);
  GradientColour white = ColourFromText("&HFFFFFF");
  EXPECT_EQ(0xFF00, white.Red);
  EXPECT_EQ(0xFF00, white.Blue);
}

TEST(CommandGradient, PointsAndDirection) {
  GradientPlan normal = PlanGradient(false, 81, 25);
  EXPECT_EQ(0, normal.Vertices[0].X);
  EXPECT_EQ(0, normal.Vertices[0].Y);
  EXPECT_EQ(80, normal.Vertices[1].X);
  EXPECT_EQ(24, normal.Vertices[1].Y);
  EXPECT_EQ(1u, normal.UpperLeft);
  EXPECT_EQ(0u, normal.LowerRight);
  EXPECT_EQ(0xFF00, normal.Vertices[0].Colour.Blue);  // white at the top
  EXPECT_EQ(0xC600, normal.Vertices[1].Colour.Red);   // lavender at the bottom
  GradientPlan hover = PlanGradient(true, 81, 25);
  EXPECT_EQ(0xC600, hover.Vertices[0].Colour.Red);    // lavender at the top
  EXPECT_EQ(0xFF00, hover.Vertices[1].Colour.Green);  // white at the bottom
}

// --- Members and saved properties ---------------------------------------------------------------

TEST(CommandProperties, FirstReadOfEnabledEnablesANeverSavedInstance) {
  FakeSurface s;
  Command c(s);
  EXPECT_EQ(False, c.State().EnabledFlag);
  EXPECT_EQ(0, c.State().FirstRun);
  EXPECT_EQ(True, c.Enabled());
  EXPECT_EQ(1, c.State().FirstRun);
  EXPECT_EQ("Normal/white", s.TakeLooks());  // ApplyEnabled (ShowNormal ran while still disabled)
  EXPECT_EQ(True, c.Enabled());
  EXPECT_EQ(1, c.State().FirstRun);
  c.Enabled(False);
  EXPECT_EQ(False, c.Enabled());
  EXPECT_EQ(1, c.State().FirstRun);
  EXPECT_EQ((std::vector<std::string>{"Enabled"}), s.notices);
}

TEST(CommandProperties, WhileFirstRunIsZeroShowNormalResetsTheCaptionColour) {
  FakeSurface s;
  Command c(s);
  c.Enabled(True);  // written, never read: FirstRun stays 0
  c.FontColour(0x0000FF);
  EXPECT_EQ(0u, c.FontColour());
  c.Enabled();  // FirstRun 1 from here on
  c.FontColour(0x0000FF);
  EXPECT_EQ(0x0000FFu, c.FontColour());
}

TEST(CommandProperties, VisibleIsTheBackgroundStyle) {
  FakeSurface s;
  Command c(s);
  PropertyBag bag;
  bag.Write("visible", std::string("0"));  // names compare without regard to case
  c.ReadProperties(bag, DesignFont());
  s.looks.clear();
  EXPECT_EQ(0, c.Visible());
  EXPECT_EQ("", s.TakeLooks());
  c.Visible(7);
  EXPECT_EQ(1, c.BackStyle());
  s.looks.clear();
  EXPECT_EQ(255, c.Visible());
  EXPECT_EQ("Normal/white", s.TakeLooks());
  c.Visible(0);
  EXPECT_EQ(0, c.BackStyle());
  EXPECT_EQ("", s.TakeLooks());
}

TEST(CommandProperties, DefaultsAreNotSavedAndCommandComesBackAsCommand1) {
  FakeSurface s;
  Command c(s);
  c.Enabled();
  PropertyBag saved;
  c.WriteProperties(saved, DesignFont());
  EXPECT_EQ(0u, saved.Size());

  Command restored(s);
  restored.ReadProperties(saved, DesignFont());
  EXPECT_EQ("Command1", restored.Caption());
  EXPECT_EQ(True, restored.State().EnabledFlag);
  EXPECT_EQ(1, restored.State().FirstRun);
  EXPECT_EQ(1, restored.BackStyle());
}

TEST(CommandProperties, NonDefaultValuesRoundTrip) {
  FakeSurface s;
  Command c(s);
  c.Enabled();
  c.Enabled(False);
  c.Caption("ｷｬﾝｾﾙ");
  c.FontColour(0x800000FF);
  c.Visible(0);
  CaptionFont other = DesignFont();
  other.Name = "IPAPGothic";
  c.Font(other);
  PropertyBag saved;
  c.WriteProperties(saved, DesignFont());
  EXPECT_EQ(5u, saved.Size());  // all but FirstRun
  EXPECT_FALSE(saved.Has("FirstRun"));

  Command restored(s);
  restored.ReadProperties(saved, DesignFont());
  EXPECT_EQ(False, restored.State().EnabledFlag);
  EXPECT_EQ("ｷｬﾝｾﾙ", restored.Caption());
  EXPECT_EQ(0x800000FFu, restored.LblMsg().ForeColor);
  EXPECT_EQ(0, restored.BackStyle());
  EXPECT_EQ("IPAPGothic", restored.LblMsg().Font.Name);
}

TEST(CommandProperties, StoredFontChangesOnlyTheFaceName) {
  FakeSurface s;
  Command c(s);
  CaptionFont stored{"IPAGothic", 20.0, 700, true, true, false, 0};
  PropertyBag bag;
  bag.Write("FONT", stored);
  c.ReadProperties(bag, DesignFont());
  CaptionFont expected = DesignFont();
  expected.Name = "IPAGothic";
  EXPECT_EQ(expected, c.LblMsg().Font);
  // Without a stored font, the ambient font's face.
  Command d(s);
  CaptionFont ambient{"Tahoma", 8, 400, false, false, false, 0};
  d.ReadProperties(PropertyBag{}, ambient);
  EXPECT_EQ("Tahoma", d.LblMsg().Font.Name);
  EXPECT_EQ(9.75, d.LblMsg().Font.Size);
}

TEST(CommandProperties, UnconvertibleStoredValuesLeaveTheirFields) {
  FakeSurface s;
  Command c(s);
  PropertyBag bag;
  bag.Write("Enabled", std::string("maybe"));
  bag.Write("FirstRun", std::string("300"));
  bag.Write("FontColour", std::string("red"));
  bag.Write("Caption", DesignFont());
  c.ReadProperties(bag, DesignFont());
  EXPECT_EQ(False, c.State().EnabledFlag);
  EXPECT_EQ(0, c.State().FirstRun);
  EXPECT_EQ(0u, c.LblMsg().ForeColor);
  EXPECT_EQ("Command", c.Caption());
}

}  // namespace
}  // namespace orv::button
