#pragma once

#include <QString>

// The pictures of the mock exam's screens: the exam room list's title strip,
// decorative strip and logo, the login background with its field captions
// and drawn buttons, the admission card with the operation tips, the
// please-wait picture of the exam room, the operation tips box and the
// examinee information card. All of them are drawn by code.
namespace Artwork {

// Draws the pictures of the mock exam into `imagesDir` (which exists).
// Throws StoreError when a file cannot be written.
void writeExamPictures(const QString &imagesDir);

} // namespace Artwork
