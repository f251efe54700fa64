#pragma once

#include <QString>

// The pictures of the guided-practice screens: the chapter browser's
// background, right-edge panel and task bar, and the practice window's
// header strips, side picture, question-grid header and close button and the
// please-wait card. All of them are drawn by code when the content is built.
namespace Artwork {

// Draws the pictures of the guided-practice screens into `imagesDir` (which exists).
// Throws StoreError when a file cannot be written.
void writePracticePictures(const QString &imagesDir);

} // namespace Artwork
