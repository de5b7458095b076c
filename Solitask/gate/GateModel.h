#pragma once

#include "Solitask/gate/UntilChoice.h"
#include "Solitask/session/GateFace.h"

#include <QObject>
#include <QString>

#include <optional>

/// What every gate window shows: the face, the declaration being typed, the
/// chosen end and the form. One model is shared by all windows, so typing on
/// one screen shows on all of them.
class GateModel : public QObject
{
    Q_OBJECT

public:
    using Face = GateFace;

    explicit GateModel(QObject *parent = nullptr);

    const Face &face() const { return m_face; }
    const QString &text() const { return m_text; }
    UntilChoice until() const { return m_until; }
    bool compact() const { return m_compact; }

    void setFace(const Face &face);
    void setText(const QString &text);
    void setUntil(UntilChoice choice);
    void setCompact(bool compact);

    /// The text to declare: trimmed of white space and line breaks at both
    /// ends, and at least two user-perceived characters; none otherwise.
    static std::optional<QString> declaration(const QString &text);

Q_SIGNALS:
    void faceChanged();
    void textChanged(const QString &text);
    void untilChanged();
    void compactChanged();

private:
    Face m_face = Face::question();
    QString m_text;
    UntilChoice m_until = UntilChoice::untilDone;
    bool m_compact = false;
};
