#include "Solitask/gate/GateShot.h"

#include "Solitask/gate/GateBackdrop.h"
#include "Solitask/gate/GateModel.h"
#include "Solitask/gate/GateView.h"
#include "Solitask/session/Clock.h"
#include "SolitaskCore/Diag.h"

#include <QApplication>
#include <QPixmap>

namespace GateShot {

bool write(const QString &path, const Scene &scene, const Clock &clock)
{
    GateModel model;
    model.setFace(scene.face);
    model.setCompact(scene.compact);
    model.setText(scene.text);
    auto *view = new GateView(&model, clock, Calendar::system(), {});
    GateBackdrop backdrop(view, !scene.compact);
    backdrop.setAttribute(Qt::WA_DontShowOnScreen);
    backdrop.resize(scene.size);
    backdrop.show();
    QApplication::processEvents();
    const bool ok = backdrop.grab().save(path, "PNG");
    if (!ok)
        Diag::log(QStringLiteral("gate shot: could not write ") + path);
    return ok;
}

} // namespace GateShot
