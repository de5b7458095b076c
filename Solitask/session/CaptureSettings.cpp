#include "Solitask/session/CaptureSettings.h"

#include "Solitask/session/Prefs.h"

CaptureRequest CaptureSettings::current()
{
    CaptureRequest request;
    request.privateBundleIDs = Prefs::privateBundleIDs();
    request.skipWhileCamera = Prefs::flag(Prefs::Key::skipWhileCamera);
    request.width = Prefs::frameWidth();
    request.idleLimit = 600;
    return request;
}
