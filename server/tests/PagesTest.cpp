// The server's pages show stored texts as text, never as markup.
#include <gtest/gtest.h>

#include "ScorePages.h"

TEST(Pages, EveryMarkupCharacterIsEscaped) {
  EXPECT_EQ(HtmlEscape("<a href=\"x\" onclick='y'>&amp;</a>"),
            "&lt;a href=&quot;x&quot; onclick=&#39;y&#39;&gt;&amp;amp;&lt;/a&gt;");
  EXPECT_EQ(HtmlEscape("Anna Lee"), "Anna Lee");
}

TEST(Pages, TheListRanksNamesScoresCountriesAndDays) {
  const std::vector<StoredScore> best = {
      {{"Anna", 5000, "Chile"}, 0},
      {{"<script>alert(1)</script>", 4000, "\"><img src=x>"}, 86400 * 365},
  };
  const std::string page = ListPage(best);
  EXPECT_NE(page.find("<td class=\"n\">1</td><td>Anna</td><td class=\"n\">5000</td>"
                      "<td>Chile</td><td>1970-01-01</td>"),
            std::string::npos)
      << page;
  EXPECT_NE(page.find("<td class=\"n\">2</td><td>&lt;script&gt;alert(1)&lt;/script&gt;</td>"),
            std::string::npos);
  EXPECT_NE(page.find("<td>&quot;&gt;&lt;img src=x&gt;</td><td>1971-01-01</td>"),
            std::string::npos);
  EXPECT_EQ(page.find("<script>"), std::string::npos);
  EXPECT_EQ(page.find("<img"), std::string::npos);
}

TEST(Pages, AnEmptyListSaysSo) {
  EXPECT_NE(ListPage({}).find("No scores yet."), std::string::npos);
}

TEST(Pages, TheHomePageLinksTheListRelatively) {
  EXPECT_NE(HomePage().find("href=\"cgi/version.pl?prg=GearRush&amp;show&amp;type=0\""),
            std::string::npos);
}
