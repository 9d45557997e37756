#include "shell/help_document.h"

#include <algorithm>
#include <sstream>

#include "util/text.h"

namespace burnlab {
namespace {

bool startsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

std::vector<std::string> keywordList(const std::string& text) {
  std::vector<std::string> keywords;
  std::istringstream parts(text);
  std::string part;
  while (std::getline(parts, part, ';')) {
    if (auto keyword = trimmed(part, kWhitespace); !keyword.empty()) keywords.push_back(keyword);
  }
  return keywords;
}

}  // namespace

HelpDocument HelpDocument::parse(const std::string& text) {
  HelpDocument document;
  std::istringstream lines(text);
  std::string line;
  bool keywordLineAllowed = false;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (startsWith(line, "## ")) {
      document.topics_.push_back({trimmed(line.substr(3), kWhitespace), {}, {}});
      keywordLineAllowed = true;
      continue;
    }
    if (document.topics_.empty()) {
      if (startsWith(line, "# ") && document.title_.empty())
        document.title_ = trimmed(line.substr(2), kWhitespace);
      continue;
    }
    auto& topic = document.topics_.back();
    if (keywordLineAllowed && startsWith(line, "Keywords:")) {
      topic.keywords = keywordList(line.substr(9));
      keywordLineAllowed = false;
      continue;
    }
    keywordLineAllowed = keywordLineAllowed && trimmed(line, kWhitespace).empty();
    topic.body += line + "\n";
  }
  for (auto& topic : document.topics_) topic.body = trimmed(topic.body, kWhitespace) + "\n";
  return document;
}

std::vector<HelpDocument::KeywordHit> HelpDocument::search(const std::string& partialKey) const {
  const auto key = lowerCase(trimmed(partialKey, kWhitespace));
  std::vector<KeywordHit> hits;
  for (std::size_t topic = 0; topic < topics_.size(); ++topic) {
    for (const auto& keyword : topics_[topic].keywords) {
      if (startsWith(lowerCase(keyword), key)) hits.push_back({keyword, topic});
    }
  }
  std::stable_sort(hits.begin(), hits.end(), [](const KeywordHit& a, const KeywordHit& b) {
    return lowerCase(a.keyword) < lowerCase(b.keyword);
  });
  return hits;
}

}  // namespace burnlab
