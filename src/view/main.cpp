#include <CLI/CLI.hpp>

#include "view/view_run.h"

int main(int argc, char** argv) {
  tilecut::view_options options;
  CLI::App app{"Draws the tiles that tilecut wrote as a picture.", "tilecut-view"};
  app.add_option("file", options.input, "An FR tile file, or a listing such as output.txt")
      ->required();
  app.add_option("-o,--output", options.output,
                 "The picture (.png or .bmp); for a listing without --array, the directory that "
                 "receives NAME.png for each array")
      ->required();
  std::string array_name;
  CLI::Option* array =
      app.add_option("--array", array_name, "Draw only the first array of this name");
  app.add_option("--columns", options.columns, "Tiles across for an array")
      ->check(CLI::Range(1, 1 << 20))
      ->capture_default_str();
  app.add_option("--scale", options.draw.scale, "Picture pixels per tile pixel, across and down")
      ->check(CLI::Range(1, 64))
      ->capture_default_str();
  app.add_flag("--grid", options.draw.grid, "Draw one-pixel lines between tiles");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error);
    return status == 0 ? tilecut::view_status_drawn : tilecut::view_status_usage;
  }
  if (array->count() > 0) options.array = array_name;
  return tilecut::run_view(options);
}
