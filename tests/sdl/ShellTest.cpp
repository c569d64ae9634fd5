// What the desktop is asked to open for a link or a file beside the game.
#include <gtest/gtest.h>

#include "platform/sdl/SdlShell.h"

TEST(SdlShell, LinksAreOpenedAsTheyAre) {
  const std::string list = "http://example.org/cgi/version.pl?prg=GearRush&show&type=0";
  EXPECT_EQ(OpenableTarget(list, "/games"), list);
  EXPECT_EQ(OpenableTarget("mailto:someone@example.org", "/games"), "mailto:someone@example.org");
}

TEST(SdlShell, AFileBecomesTheLinkOfItsAbsolutePath) {
  EXPECT_EQ(OpenableTarget("play.url", "/home/rider/Gear Rush/build"),
            "file:///home/rider/Gear%20Rush/build/play.url");
  EXPECT_EQ(OpenableTarget("./Data/../play.url", "/games/gr"), "file:///games/gr/play.url");
  EXPECT_EQ(OpenableTarget("/tmp/a#b%.url", "/games"), "file:///tmp/a%23b%25.url");
  // One letter before a colon is no scheme.
  EXPECT_EQ(OpenableTarget("c:game.url", "/g"), "file:///g/c%3Agame.url");
}

TEST(SdlShell, NothingToOpenGivesNothing) {
  EXPECT_EQ(OpenableTarget("", "/games"), "");
}
