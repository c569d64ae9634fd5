// The game program's command line.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "app/CommandLine.h"

namespace {
CommandLine Parse(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "gearrush");
  return ParseCommandLine(static_cast<int>(arguments.size()), arguments.data());
}
}  // namespace

TEST(CommandLineTest, NoOptionsLeaveEverythingToTheGame) {
  const CommandLine line = Parse({});
  EXPECT_FALSE(line.ScoreServer);
  EXPECT_FALSE(line.WindowScale);
  EXPECT_FALSE(line.Help);
}

TEST(CommandLineTest, TheOptionsComeInAnyOrder) {
  CommandLine line = Parse({"--window-scale", "3", "--score-server", "scores.example.org:8080"});
  EXPECT_EQ(line.WindowScale, 3);
  EXPECT_EQ(line.ScoreServer, "scores.example.org:8080");
  line = Parse({"--score-server", "http://10.0.0.2", "--window-scale", "1"});
  EXPECT_EQ(line.WindowScale, 1);
  EXPECT_EQ(line.ScoreServer, "http://10.0.0.2");
  EXPECT_TRUE(Parse({"--help"}).Help);
  EXPECT_TRUE(Parse({"--window-scale", "2", "-h"}).Help);
  EXPECT_EQ(Parse({"--window-scale", "8"}).WindowScale, 8);
}

TEST(CommandLineTest, AWindowScaleIsAWholeNumberFromOneToEight) {
  for (const char* wrong : {"0", "9", "-1", "2.5", "2x", "", " 2", "two", "99999999999"}) {
    EXPECT_THROW(Parse({"--window-scale", wrong}), std::invalid_argument) << "'" << wrong << "'";
  }
}

TEST(CommandLineTest, AWrongCommandLineIsRefusedRatherThanHalfRead) {
  EXPECT_THROW(Parse({"--window-scale"}), std::invalid_argument);  // no value
  EXPECT_THROW(Parse({"--score-server"}), std::invalid_argument);
  EXPECT_THROW(Parse({"--fullscreen"}), std::invalid_argument);
  EXPECT_THROW(Parse({"2"}), std::invalid_argument);
  EXPECT_THROW(Parse({"--window-scale", "2", "--window-scale", "3"}), std::invalid_argument);
  EXPECT_THROW(Parse({"--score-server", "a", "--score-server", "b"}), std::invalid_argument);
}

TEST(CommandLineTest, TheHelpNamesEveryOption) {
  const std::string help = CommandLineHelp();
  for (const char* option : {"--score-server URL", "--window-scale N", "--help"}) {
    EXPECT_NE(help.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(help.rfind(CommandLineUsage(), 0), 0u);
}
