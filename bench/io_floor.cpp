// The I/O a tilecut run cannot avoid, as a floor to measure it against: reads
// the whole input file into one allocation, as tilecut does, and writes a file
// of the given size.
//
//   io_floor INPUT OUTPUT BYTES

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: io_floor INPUT OUTPUT BYTES\n");
    return 2;
  }
  std::FILE* in = std::fopen(argv[1], "rb");
  if (!in || std::fseek(in, 0, SEEK_END) != 0) return 1;
  const long length = std::ftell(in);
  if (length < 0 || std::fseek(in, 0, SEEK_SET) != 0) return 1;
  const auto size = static_cast<std::size_t>(length);
  std::unique_ptr<char[]> bytes(new char[size + 1]);
  if (std::fread(bytes.get(), 1, size, in) != size) return 1;
  std::fclose(in);

  std::FILE* out = std::fopen(argv[2], "wb");
  if (!out) return 1;
  std::setvbuf(out, nullptr, _IONBF, 0);
  static char block[1 << 16];
  std::memset(block, 'x', sizeof block);
  std::size_t left = std::strtoull(argv[3], nullptr, 10);
  while (left > 0) {
    const std::size_t n = left < sizeof block ? left : sizeof block;
    if (std::fwrite(block, 1, n, out) != n) return 1;
    left -= n;
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
