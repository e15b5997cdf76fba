#include "cli/FullProgram.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace kvx {

namespace {

std::filesystem::path fullProgramPath()
{
    // The executable's folder from the kernel: no application object is made
    // only to ask it.
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    const std::filesystem::path beside = folder / KVX_FULL_PROGRAM;
    if (std::filesystem::exists(beside, error))
        return beside;
    return (folder / KVX_FULL_PROGRAM_FROM_BINDIR / KVX_FULL_PROGRAM).lexically_normal();
}

} // namespace

int runFullProgram(char** argv)
{
    const std::filesystem::path path = fullProgramPath();
    ::execv(path.c_str(), argv);
    std::fprintf(stderr, "kvx: cannot start %s: %s\n", path.c_str(), std::strerror(errno));
    return 2;
}

} // namespace kvx
