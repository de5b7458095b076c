#pragma once

#include <QFont>
#include <QList>
#include <QString>

class NotchChip;
class NotchView;
class QColor;
class QLabel;
class QWidget;

/// Small pieces the strip's sections are built from. Buttons look up the
/// view's actions when pressed, so actions wired later still reach them.
namespace NotchParts {

/// A plain-text label (never rich text: declarations are typed by the person).
QLabel *label(const QString &text, qreal size, const QColor &color,
              QFont::Weight weight = QFont::Normal, qreal tracking = 0);
/// A rule across the strip in its hairline colour.
QWidget *divider();
/// Title over a sub-text, 4 points apart.
QWidget *titleBlock(const QString &title, const QString &subtitle);
/// Widgets side by side, `spacing` apart, left-aligned.
QWidget *row(const QList<QWidget *> &widgets, int spacing);
/// Packs items into rows no wider than `width`, each row's items centred vertically.
QWidget *wrapped(const QList<QWidget *> &items, int width, int hSpacing, int vSpacing);

NotchChip *doneChip(NotchView &view);
NotchChip *backToItChip(NotchView &view);
NotchChip *declareChip(NotchView &view);
NotchChip *backOnDutyChip(NotchView &view);
NotchChip *switchMenu(NotchView &view);
NotchChip *offDutyMenu(NotchView &view);
QWidget *journalButton(NotchView &view);

} // namespace NotchParts
