#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>

// The pictures built into the program (drawn by code, so no file beside
// the program is needed for them).
namespace ShellArt {

// 1020 × 758: title bar with the title and the minimise and close glyphs,
// a light header band behind the navigation buttons, a blue body.
QPixmap mainBackground();
// 224 × 85: the customer-service banner.
QPixmap serviceBanner();
// 270 × 140: the shared dialog background with its blue title strip.
QPixmap titleStrip();
// 270 × 140: the title strip with the exit question drawn in.
QPixmap exitQuestion();

// The same pictures drawn afresh (the build draws them once and compiles
// them in; see above).
QPixmap drawMainBackground();
QPixmap drawServiceBanner();
QPixmap drawTitleStrip();
QPixmap drawExitQuestion();

// The raw form the build compiles in (size, then 32-bit pixels), and back;
// a null image for data that is not of that form. viewRaw() reads the
// pixels where they are, without a copy: the bytes must outlive the image
// (the pictures compiled into the program do).
QByteArray toRaw(const QImage &picture);
QImage fromRaw(const QByteArray &raw);
QImage viewRaw(QByteArrayView raw);

// Geometry of the painted glyphs, under the minimise and close buttons.
constexpr int TitleBarHeight = 24;
constexpr int HeaderBottom = 109;

} // namespace ShellArt
