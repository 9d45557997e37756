#include "cli/device_names.h"

#include <charconv>
#include <functional>
#include <sstream>
#include <vector>

#include "devices/device_catalogue.h"
#include "devices/untested_devices.h"
#include "util/text.h"

namespace burnlab {
namespace {

std::vector<std::string> words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> all;
  for (std::string word; in >> word;) all.push_back(word);
  return all;
}

bool hasWord(const std::string& name, const std::string& word) {
  for (const auto& each : words(name)) {
    if (each == word) return true;
  }
  return false;
}

// The rows that fit `fits`.
std::vector<int> rowsWhere(const std::function<bool(const CatalogueRow&)>& fits) {
  std::vector<int> found;
  const auto& rows = DeviceCatalogue::rows();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (fits(rows[row])) found.push_back(static_cast<int>(row));
  }
  return found;
}

std::string listed(const std::vector<int>& rows) {
  std::string text;
  for (const int row : rows) {
    text += "\n  " + std::to_string(row) + ' ' + trimmed(DeviceCatalogue::row(row)->listText());
  }
  return text;
}

std::optional<int> listPosition(const std::string& text) {
  int position = -1;
  const auto* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, position);
  if (error != std::errc() || stop != end) return std::nullopt;
  return position;
}

DeviceNamed supportedRow(int row, bool allowUntested) {
  const auto* device = DeviceCatalogue::row(row);
  if (!selectableRow(row, allowUntested)) {
    const char* hint = untestedButWorking(row) ? " (--allow-untested offers it)" : "";
    return {std::nullopt, std::string(device->name) + " is not supported by this program" + hint};
  }
  return {row, ""};
}

}  // namespace

DeviceNamed findDevice(const std::string& nameOrPosition, bool allowUntested) {
  const auto wanted = lowerCase(trimmed(nameOrPosition));
  // A number is a list position when there is one; the 2716 and its kin are names otherwise.
  if (const auto position = listPosition(wanted); position && DeviceCatalogue::row(*position)) {
    return supportedRow(*position, allowUntested);
  }
  // Names in any case: the whole name, the name without its family word, the part name.
  if (const auto position = DeviceCatalogue::positionOf(wanted)) {
    return supportedRow(*position, allowUntested);
  }
  // One word of the name, which may fit several rows ("Catalyst").
  const auto rows =
      rowsWhere([&](const CatalogueRow& row) { return hasWord(lowerCase(row.name), wanted); });
  if (rows.size() == 1) return supportedRow(rows.front(), allowUntested);
  if (rows.size() > 1) {
    return {std::nullopt, "'" + nameOrPosition + "' may be any of these; give the whole " +
                              "name or the list position:" + listed(rows)};
  }
  const auto near = wanted.empty() ? std::vector<int>{} : rowsWhere([&](const CatalogueRow& row) {
    return lowerCase(row.name).find(wanted) != std::string::npos;
  });
  if (near.empty())
    return {std::nullopt, "no device '" + nameOrPosition + "' (see the list command)"};
  return {std::nullopt,
          "no device '" + nameOrPosition + "'; did you mean one of these?" + listed(near)};
}

}  // namespace burnlab
