// Conversions between the core's UTF-8 text and the UTF-16 text of the Windows API.
#pragma once

#include <string>
#include <string_view>

namespace vek::win {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace vek::win
