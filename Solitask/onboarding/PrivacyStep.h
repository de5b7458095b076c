#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>

/// Step one: what stays private, in six numbered lines.
class PrivacyStep : public QWidget
{
    Q_OBJECT

public:
    explicit PrivacyStep(std::function<void()> next, QWidget *parent = nullptr);

    static const QStringList &lines();
};
