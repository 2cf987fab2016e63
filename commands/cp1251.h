// The Windows Cyrillic code page (1251), converted without the platform, so
// the same bytes name the same file whatever the system's language.
#pragma once

#include <string>
#include <string_view>

namespace commands {

std::u16string FromCp1251(std::string_view bytes);

}  // namespace commands
