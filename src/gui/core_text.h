#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace burnlab {

// Text from the core as the window shows it: UTF-8, which is the system's code page here and
// what file names are written in. Text that is not valid UTF-8 (a file name in an older code
// page) is read as Latin-1, so that every byte still shows as a character.
QString fromCore(std::string_view text);

// Text typed or chosen in the window, for the core: UTF-8.
std::string toCore(const QString& text);

}  // namespace burnlab
