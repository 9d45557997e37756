// The help document: its topics, keywords and keyword search, and the document shipped.
#include "shell/help_document.h"

#include <gtest/gtest.h>

#include "panel/panel.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

const char* kSample =
    "# Sample Help\n"
    "ignored before the first topic\n"
    "## Reading\n"
    "Keywords: Read; read device ;  ; Buffer\n"
    "Reads the chip.\r\n"
    "\n"
    "Keywords: this line is text, not keywords\n"
    "## Verify\n"
    "\n"
    "Keywords: verify; compare\n"
    "Compares.\n"
    "## Empty topic\n";

TEST(HelpDocument, SplitsTopicsWithTheirKeywordsAndBodiesAndFindsKeywordsByTheirStart) {
  const auto document = HelpDocument::parse(kSample);
  EXPECT_EQ(document.title(), "Sample Help");
  ASSERT_EQ(document.topics().size(), 3u);
  const auto& reading = document.topics()[0];
  EXPECT_EQ(reading.title, "Reading");
  EXPECT_EQ(reading.keywords, (std::vector<std::string>{"Read", "read device", "Buffer"}));
  EXPECT_EQ(reading.body, "Reads the chip.\n\nKeywords: this line is text, not keywords\n");
  // A blank line may stand between the title and the keywords.
  EXPECT_EQ(document.topics()[1].keywords, (std::vector<std::string>{"verify", "compare"}));
  EXPECT_TRUE(document.topics()[2].keywords.empty());

  // The search finds keywords by their first letters, whatever the case.
  const auto hits = document.search("READ");
  ASSERT_EQ(hits.size(), 2u);
  EXPECT_EQ(hits[0].keyword, "Read");
  EXPECT_EQ(hits[1].keyword, "read device");
  EXPECT_EQ(hits[0].topic, 0u);
  EXPECT_TRUE(document.search("device").empty());  // partial keys match from the start
  const auto all = document.search("");
  std::vector<std::string> keywords;
  for (const auto& hit : all) keywords.push_back(hit.keyword);
  EXPECT_EQ(keywords,
            (std::vector<std::string>{"Buffer", "compare", "Read", "read device", "verify"}));
}

TEST(HelpDocument, TheShippedHelpHasKeywordsForEveryTopicAndExplainsEveryCommand) {
  const auto document = HelpDocument::parse(
      readAll(std::filesystem::path(BURNLAB_RESOURCES_DIR) / "help" / "burnlab5.hlp"));
  ASSERT_GE(document.topics().size(), 10u);
  std::string all;
  for (const auto& topic : document.topics()) {
    EXPECT_FALSE(topic.keywords.empty()) << topic.title;
    all += topic.body;
  }
  const Panel panel;
  for (const Control* button :
       {&panel.Read_button, &panel.Blank_button, &panel.Verify_button, &panel.Program_button,
        &panel.Display_button, &panel.Erase_button, &panel.EraseFlash_button,
        &panel.TestHardware_button, &panel.Frame4, &panel.Frame5, &panel.Frame10,
        &panel.FrameVoltageSelection, &panel.Label4, &panel.Error_label, &panel.Ready_label}) {
    EXPECT_NE(all.find(button->caption), std::string::npos) << button->caption;
  }
  EXPECT_FALSE(document.search("simul").empty());
  EXPECT_FALSE(document.search("ppdev").empty());
}

}  // namespace
}  // namespace burnlab::testing
