#include "pixelgeometry.h"

#include <QByteArray>
#include <QtGlobal>

namespace PixelGeometry {

void keep()
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_FONT_DPI", "96");
    for (const char *variable : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_AUTO_SCREEN_SCALE_FACTOR",
                                 "QT_USE_PHYSICAL_DPI"})
        qunsetenv(variable);
}

} // namespace PixelGeometry
