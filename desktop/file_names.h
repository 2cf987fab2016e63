// File-name rules of the explorer's list, without any window.
#pragma once

#include <string>
#include <string_view>

namespace desktop {

// True for names ending in .exe, .com, .bat or .pif, in any letter case.
bool IsProgramFileName(std::u16string_view name);
// The directory, one backslash, the name: no doubled backslash after a drive root such as "c:\".
std::u16string JoinPath(std::u16string_view directory, std::u16string_view name);

}  // namespace desktop
