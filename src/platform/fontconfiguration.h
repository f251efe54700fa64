#pragma once

// The font configuration a program draws with, set before its QApplication.
namespace FontConfiguration {

// Makes a compact configuration of our own the current one: every font the
// system's configuration lists (outline fonts only; the Type 1 copies of
// faces that also come as OpenType are left out), the usual metric stand-ins
// for Arial, Times New Roman and Courier New, the generic families, and
// grey-scale, slightly hinted rendering.
//
// fontconfig's own start-up parses the system's configuration and, since
// version 2.13.9x, every template of its template directory as well, only to
// describe them: over a quarter of a question simulator's start-up, for no
// change in what it draws. Does nothing when FONTCONFIG_FILE names another
// configuration or when ours cannot be loaded; fontconfig then starts as usual.
void useOwn();

} // namespace FontConfiguration
