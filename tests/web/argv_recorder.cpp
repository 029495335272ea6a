// A stand-in browser: writes the arguments it was started with, one per line after their count,
// to the file that BRIGHTWELL_ARGV_RECORD names, and ends. The file appears whole or not at all.
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char **argv)
{
    const char *record = std::getenv("BRIGHTWELL_ARGV_RECORD");
    if (!record)
        return 2;
    const std::string partial = std::string(record) + ".part";
    std::FILE *file = std::fopen(partial.c_str(), "wb");
    if (!file)
        return 3;
    std::fprintf(file, "%d\n", argc - 1);
    for (int i = 1; i < argc; ++i)
        std::fprintf(file, "%s\n", argv[i]);
    if (std::fclose(file) != 0)
        return 4;
    return std::rename(partial.c_str(), record) == 0 ? 0 : 5;
}
