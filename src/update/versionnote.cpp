// The program's file version, stamped into the program file itself: an ELF
// note in the section ".note.pelquor.version" that FileVersion reads back
// from the file. The build gives the four parts of the project's version.
#include <cstdint>

namespace {

struct VersionNote
{
    std::uint32_t namesz;
    std::uint32_t descsz;
    std::uint32_t type;
    char name[8];
    // The file version as two 32-bit words: major.minor and release.build.
    std::uint32_t ms;
    std::uint32_t ls;
};

[[gnu::section(".note.pelquor.version"), gnu::used, gnu::aligned(4)]]
const VersionNote versionNote = {
    8, 8, 1, "Pelquor",
    (std::uint32_t(PELQUOR_VERSION_MAJOR) << 16) | std::uint32_t(PELQUOR_VERSION_MINOR),
    (std::uint32_t(PELQUOR_VERSION_PATCH) << 16) | std::uint32_t(PELQUOR_VERSION_TWEAK),
};

} // namespace
