#pragma once

#include <string>

namespace tilecut_test {

// UTF-8 text as the Shift_JIS (code page 932) bytes tilecut prints, converted
// by the C library's iconv, independently of tilecut's own message table.
std::string cp932(const std::string& utf8);

}  // namespace tilecut_test
