// The text renderer on the game's own fonts: what it measures and renders does not depend on
// what it measured or rendered before (its cache is keyed by font and text).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ttf/TtfTextRenderer.h"

namespace {
const std::string kFonts = std::string(GR_BINARY_DIR) + "/Data/Fonts";

struct Measured {
  int Width;
  int Height;
  int MaskWidth;
  std::vector<uint8_t> Coverage;
};

Measured Measure(TextRenderer& text, const std::string& face, int points, bool bold,
                 const std::string& line) {
  text.SetFont(face, points, bold);
  const int width = text.TextWidth(line);
  const TextMask& mask = text.Render(line);
  return {width, text.TextHeight(line), mask.Width, mask.Coverage};
}
}  // namespace

TEST(TtfTextRendererTest, ASeasonedRendererMeasuresAndDrawsEachTextInEachFontAsAFreshOne) {
  struct Case {
    const char* Face;
    int Points;
    bool Bold;
    const char* Line;
  };
  // The same words in several sizes and weights, and several words in one font.
  const std::vector<Case> cases = {
      {"BancoDi", 30, false, "Level 1"}, {"BancoDi", 18, false, "Level 1"},
      {"BancoDi", 28, true, "Level 1"},  {"Courier", 14, false, "Level 1"},
      {"BancoDi", 30, false, "Level 10"}, {"BancoDi", 30, false, "Time left: 12"},
      {"BancoDi", 30, false, "W"},       {"BancoDi", 30, false, "i"}};
  // Each case as a renderer that never saw anything else gives it.
  std::vector<Measured> fresh;
  for (const Case& c : cases) {
    auto text = CreateTtfTextRenderer(kFonts);
    fresh.push_back(Measure(*text, c.Face, c.Points, c.Bold, c.Line));
    ASSERT_GT(fresh.back().Width, 0) << c.Line;
    EXPECT_EQ(fresh.back().MaskWidth, fresh.back().Width) << c.Line;
  }
  EXPECT_NE(fresh[0].Width, fresh[1].Width);  // sizes differ, so must their widths
  EXPECT_NE(fresh[6].Width, fresh[7].Width);

  // One renderer going through all of them three times, with enough other texts in between to
  // push the earlier ones out of any cache.
  auto text = CreateTtfTextRenderer(kFonts);
  for (int round = 0; round < 3; ++round) {
    for (size_t i = 0; i < cases.size(); ++i) {
      const Case& c = cases[i];
      const Measured now = Measure(*text, c.Face, c.Points, c.Bold, c.Line);
      EXPECT_EQ(now.Width, fresh[i].Width) << round << " " << c.Line;
      EXPECT_EQ(now.Height, fresh[i].Height) << round << " " << c.Line;
      EXPECT_EQ(now.Coverage, fresh[i].Coverage) << round << " " << c.Line;
    }
    text->SetFont("BancoDi", 20, false);
    for (int n = 0; n < 300 * round; ++n) text->Render("Score " + std::to_string(n));
  }
}

TEST(TtfTextRendererTest, EmptyTextHasNoWidthAndNoPicture) {
  auto text = CreateTtfTextRenderer(kFonts);
  text->SetFont("BancoDi", 30, false);
  EXPECT_EQ(text->TextWidth(""), 0);
  EXPECT_EQ(text->Render("").Width, 0);
  EXPECT_TRUE(text->Render("").Coverage.empty());
}
