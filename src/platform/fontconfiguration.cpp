#include "fontconfiguration.h"

#include <QtGlobal>

#include <fontconfig/fontconfig.h>

namespace FontConfiguration {

namespace {

constexpr char ownConfiguration[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts</dir>
  <dir>/usr/local/share/fonts</dir>
  <dir prefix="xdg">fonts</dir>
  <dir>~/.fonts</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <cachedir prefix="xdg">fontconfig</cachedir>
  <selectfont><rejectfont>
    <glob>*.pfb</glob><glob>*.pfa</glob><glob>*.t1</glob>
    <pattern><patelt name="outline"><bool>false</bool></patelt></pattern>
  </rejectfont></selectfont>
  <match target="pattern">
    <test qual="all" name="family" compare="not_eq"><string>sans-serif</string></test>
    <test qual="all" name="family" compare="not_eq"><string>serif</string></test>
    <test qual="all" name="family" compare="not_eq"><string>monospace</string></test>
    <edit name="family" mode="append_last"><string>sans-serif</string></edit>
  </match>
  <alias binding="same"><family>Arial</family><accept><family>Nimbus Sans</family></accept></alias>
  <alias binding="same"><family>Times New Roman</family><accept><family>Nimbus Roman</family></accept></alias>
  <alias binding="same"><family>Courier New</family><accept><family>Nimbus Mono PS</family></accept></alias>
  <alias><family>sans-serif</family><prefer><family>DejaVu Sans</family><family>Noto Sans CJK SC</family></prefer></alias>
  <alias><family>serif</family><prefer><family>DejaVu Serif</family><family>Noto Serif CJK SC</family></prefer></alias>
  <alias><family>monospace</family><prefer><family>DejaVu Sans Mono</family><family>Noto Sans Mono CJK SC</family></prefer></alias>
  <match target="font">
    <edit name="antialias" mode="assign"><bool>true</bool></edit>
    <edit name="hinting" mode="assign"><bool>true</bool></edit>
    <edit name="hintstyle" mode="assign"><const>hintslight</const></edit>
    <edit name="rgba" mode="assign"><const>none</const></edit>
    <edit name="lcdfilter" mode="assign"><const>lcddefault</const></edit>
  </match>
</fontconfig>
)";

} // namespace

void useOwn()
{
    if (qEnvironmentVariableIsSet("FONTCONFIG_FILE"))
        return;
    FcConfig *config = FcConfigCreate();
    if (!config)
        return;
    if (FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8 *>(ownConfiguration), FcTrue)
        && FcConfigBuildFonts(config))
        FcConfigSetCurrent(config);  // takes its own reference
    FcConfigDestroy(config);
}

} // namespace FontConfiguration
