#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace burnlab {

// The program's help document: topics, each with a title, keywords for the keyword search and
// a body in Markdown. In the file a topic starts with a "## Title" line; a "Keywords:" line
// right after it lists the keywords separated by ";". A leading "# Title" line names the
// document.
class HelpDocument {
 public:
  struct Topic {
    std::string title;
    std::vector<std::string> keywords;
    std::string body;  // Markdown
  };
  struct KeywordHit {
    std::string keyword;
    std::size_t topic;  // index into topics()
  };

  static HelpDocument parse(const std::string& text);

  const std::string& title() const { return title_; }
  const std::vector<Topic>& topics() const { return topics_; }

  // The keywords that begin with `partialKey` (letter case ignored; an empty key matches all),
  // sorted without regard to case, each with the topic it leads to.
  std::vector<KeywordHit> search(const std::string& partialKey) const;

 private:
  std::string title_;
  std::vector<Topic> topics_;
};

}  // namespace burnlab
