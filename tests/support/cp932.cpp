#include "support/cp932.h"

#include <iconv.h>

#include <stdexcept>

namespace tilecut_test {

std::string cp932(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv has no CP932");
  std::string in = utf8;
  std::string out(in.size() * 2 + 16, '\0');
  char* src = in.data();
  char* dst = out.data();
  std::size_t src_left = in.size();
  std::size_t dst_left = out.size();
  const std::size_t result = iconv(cd, &src, &src_left, &dst, &dst_left);
  iconv_close(cd);
  if (result == static_cast<std::size_t>(-1)) throw std::runtime_error("not convertible: " + utf8);
  out.resize(out.size() - dst_left);
  return out;
}

}  // namespace tilecut_test
