#pragma once

#include "Solitask/platform/ScreenCapturer.h"
#include "Solitask/platform/wayland/WaylandWindowSource.h"

#include <QObject>

#include <memory>

class GnomeShellWindows;
class MutterScreenCast;

/// Frames on GNOME: the primary monitor through Mutter's screen cast, private
/// windows placed by Solitask's shell extension. Without the extension no
/// frame is taken.
class ScreenCapturerGnome : public QObject, public ScreenCapturer
{
    Q_OBJECT

public:
    explicit ScreenCapturerGnome(std::shared_ptr<GnomeShellWindows> windows);
    ~ScreenCapturerGnome() override;

    Support support() const override;
    /// At full resolution whatever `minWidth`: the encoder reduces the frame.
    void capture(const QStringList &excludedBundleIDs, int minWidth, Completion done) override;

private:
    void finish(const QImage &image, const QString &why);

    std::shared_ptr<GnomeShellWindows> m_windows;
    MutterScreenCast *m_cast = nullptr;
    Completion m_done;
    QSet<QString> m_hidden;
    WaylandScene m_before;
};
