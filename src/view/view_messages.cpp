#include "view/view_messages.h"

#include <cstdio>
#include <string>

namespace tilecut {

void report_line(std::string_view message, std::string_view name, std::int64_t line) {
  const std::string number = std::to_string(line);
  std::string text;
  for (std::size_t at = 0; at < message.size(); ++at) {
    if (message.compare(at, 2, "%s") == 0) {
      text += name;
      ++at;
    } else if (message.compare(at, 2, "%d") == 0) {
      text += number;
      ++at;
    } else {
      text += message[at];
    }
  }
  std::fwrite(text.data(), 1, text.size(), stdout);
}

}  // namespace tilecut
