#pragma once

#include <QColor>
#include <QString>

class QFont;
class Query;
class QListWidget;
class QPushButton;
class QWidget;

// Small pieces the study screens share: the panels and buttons of their
// bars, and the pictures of their left column, which the screens paint
// themselves (a header strip with the module's title, a decorative strip and
// the product logo), so they never depend on picture files.
namespace StudyUi {

inline const QColor skyBlue{0xA6, 0xCA, 0xF0};

// A plain panel with a background colour; `lowered` draws the inner bevel.
QWidget *panel(QWidget *parent, const QColor &colour, bool lowered = false);

QPushButton *button(QWidget *parent, const QString &text, int left, int top, int width, int height);

// The single-selection title list of the left column, Tahoma 13 px.
QListWidget *titleList(QWidget *parent, const QString &accessibleName);

// Fills `list` with the titles of `table` in id order and selects the first
// one, without running the selection handler: the caller runs it once.
void fillTitleList(Query &query, QListWidget *list, const QString &table);

QFont tahoma(bool bold = false);

// The left column's pictures.
QWidget *headerStrip(QWidget *parent, const QString &title);
QWidget *decorativeStrip(QWidget *parent);
QWidget *productLogo(QWidget *parent);

} // namespace StudyUi
