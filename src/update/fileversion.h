#pragma once

#include <QString>

// The version a program file carries, as "a.b.c.d". The build stamps it into
// the file as an ELF note (section ".note.pelquor.version": name "Pelquor",
// two 32-bit words major << 16 | minor and release << 16 | build).
//   "unknown"  the file is missing, not an ELF file, or has no such section;
//   "0.0.0.0"  the section is there but its note cannot be read.
QString FileVersion(const QString &path);
