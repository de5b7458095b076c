#pragma once

#include <QDateTime>
#include <QString>

/// Pictures of the light windows over sample data, for people to look at.
namespace WindowShots {

/// Seeds the sample day and its history into a scratch store (never the
/// person's own days) and writes "journal-today.png", "journal-practice.png",
/// "onboarding-1.png" and "settings.png" into `folder`. Answers whether all
/// four were written.
bool render(const QString &folder, const QDateTime &now = QDateTime::currentDateTimeUtc());

} // namespace WindowShots
