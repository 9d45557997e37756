#include "shell/setup_slot_file.h"

#include <algorithm>

#include "util/text.h"
#include "util/whole_file.h"

namespace burnlab {
namespace {

// A slot file is a few hundred bytes; anything far longer is not one.
constexpr std::uintmax_t kSetupFileLimit = 1 << 20;

}  // namespace

std::string setupSlotFileName(int slot) {
  return "BLSetup" + std::to_string(slot) + ".INI";
}

std::optional<std::filesystem::path> findSetupSlotFile(const std::filesystem::path& folder,
                                                       const std::string& fileName) {
  std::error_code error;
  if (const auto exact = folder / fileName; std::filesystem::exists(exact, error)) return exact;
  // Directory order is arbitrary: the first name in sorted order wins, so the pick is stable.
  std::optional<std::filesystem::path> found;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const auto& path = entry->path();
    if (!sameIgnoringCase(path.filename().string(), fileName)) continue;
    if (!found || path.filename() < found->filename()) found = path;
  }
  return found;
}

SetupFileRead readSetupFile(const std::filesystem::path& file) {
  const auto read = readWholeFile(file, kSetupFileLimit);
  SetupFileRead result;
  if (read.outcome == FileRead::Outcome::TooLong) {
    result.error = "it is " + std::to_string(read.length) + " bytes long, too long for a setup";
  } else if (!read.read()) {
    result.error = read.error;
  } else {
    const std::string_view text(reinterpret_cast<const char*>(read.bytes.data()),
                                read.bytes.size());
    result.lines = textLines(text);
  }
  return result;
}

std::vector<std::string> textLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    auto line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace burnlab
