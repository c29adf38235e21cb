// The command line: the arguments, the mode letter and the preview's handle.
#include "command_line.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(CommandLine, ArgumentsFollowAQuotedOrUnquotedProgramName) {
  EXPECT_EQ("/s", ArgumentsOf(R"("C:\Program Files\Orvellia\Orvellia.scr" /s)"));
  EXPECT_EQ("/p 1234", ArgumentsOf(R"("C:\a b\x.scr"   /p 1234)"));
  EXPECT_EQ("/c:99", ArgumentsOf(R"(C:\Orv\Orvellia.scr /c:99)"));
  EXPECT_EQ("", ArgumentsOf(R"(C:\Orv\Orvellia.scr)"));
  EXPECT_EQ("", ArgumentsOf(R"("C:\Orv\Orvellia.scr")"));
  EXPECT_EQ("", ArgumentsOf(R"("unterminated /s)"));
  EXPECT_EQ("/s", ArgumentsOf(R"("x"/s)"));  // as Windows reads it: the name ends at the quote
  EXPECT_EQ("", ArgumentsOf(""));
}

TEST(CommandLine, ModeComesFromTheSecondCharacter) {
  struct Case { const char* args; Mode mode; } cases[] = {
      {"/s", Mode::Saver},         {"/S", Mode::Saver},
      {"-s", Mode::Saver},         {"xs", Mode::Saver},
      {"s", Mode::End},            {"", Mode::SaverCursorVisible},
      {"/c", Mode::Settings},      {"/c:1234", Mode::Settings},
      {"/a", Mode::End},           {"/p 1234", Mode::Preview},
      {"/p:1234", Mode::Preview},  {"\x01\xff garbage", Mode::End},
      {"és", Mode::Saver},         {"/é", Mode::End},  // characters, not bytes
      {" ", Mode::End},
  };
  for (const Case& c : cases) EXPECT_EQ(c.mode, ModeOf(c.args)) << "arguments: " << c.args;
}

TEST(CommandLine, PreviewHandleFromTheFourthCharacter) {
  struct Case { const char* args; std::optional<int32_t> handle; } cases[] = {
      {"/p 1234", 1234},        {"/p:1234", 1234},        {"/p 12 34", 1234},
      {"/p \t1\n2", 12},        {"/p 1234abc", 1234},     {"/p", 0},
      {"/p garbage", 0},        {"/p -42", -42},          {"/p 2.5", 2},
      {"/p 3.5", 4},            {"/p 1e3", 1000},         {"/p 2147483647", 2147483647},
      {"/p 99999999999", std::nullopt},                   {"/p 1e999", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(c.handle, PreviewHandleOf(c.args)) << "arguments: " << c.args;
}

}  // namespace
}  // namespace orv
