#include "fonts.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace Fonts {

void install()
{
    const QString kai = QStringLiteral("AR PL UKai CN");
    const QString ming = QStringLiteral("AR PL UMing CN");
    const QString sans = QStringLiteral("Noto Sans CJK SC");
    const QStringList kaiFaces{kai, ming, sans};
    const QStringList songFaces{ming, QStringLiteral("Noto Serif CJK SC"), kai};
    const QStringList sansFaces{sans, QStringLiteral("DejaVu Sans"), ming};

    QFont::insertSubstitutions(QStringLiteral("楷体_GB2312"), kaiFaces);
    QFont::insertSubstitutions(QStringLiteral("楷体"), kaiFaces);
    // Fangsong has no face of its own here; the brush-like Kai is closest.
    QFont::insertSubstitutions(QStringLiteral("仿宋_GB2312"), kaiFaces);
    QFont::insertSubstitutions(QStringLiteral("仿宋"), kaiFaces);
    QFont::insertSubstitutions(QStringLiteral("宋体"), songFaces);
    QFont::insertSubstitutions(QStringLiteral("新宋体"), songFaces);
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), sansFaces);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sansFaces);
}

} // namespace Fonts
