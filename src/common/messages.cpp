#include "common/messages.h"

#include <cstdio>

namespace tilecut {

void report(std::string_view message, std::string_view name) {
  const std::size_t at = message.find("%s");
  if (at == std::string_view::npos) {
    std::fwrite(message.data(), 1, message.size(), stdout);
    return;
  }
  std::fwrite(message.data(), 1, at, stdout);
  std::fwrite(name.data(), 1, name.size(), stdout);
  const std::string_view rest = message.substr(at + 2);
  std::fwrite(rest.data(), 1, rest.size(), stdout);
}

}  // namespace tilecut
