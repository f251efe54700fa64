#pragma once

#include <QString>
#include <QStringList>

// The lesson movies of the classroom: one WebM file (VP8 video, Vorbis
// narration, 800 × 600 at 10 frames per second) in Vide1/ for every lesson
// of wlktsp.txt, recorded in the simulator's editor from the lessons file
// and narrated with espeak-ng. Beside each movie, "<movie>.inputs" holds the
// hash of everything it was made from; a movie whose inputs are unchanged
// is kept, so a rebuild without changes encodes nothing.
namespace LessonMovies {

struct Report
{
    int made = 0;
    int kept = 0;
    QStringList notes;  // steps shown as captions only, tools missing
};

// Raises StoreError when a movie cannot be encoded.
Report build(const QString &sourcesFolder, const QString &lessonsFile, const QString &programFolder);

} // namespace LessonMovies
