#include "Solitask/platform/fake/FakePlatform.h"

namespace {

template<typename Fake, typename Base>
Fake *install(std::unique_ptr<Base> &slot)
{
    auto fake = std::make_unique<Fake>();
    Fake *raw = fake.get();
    slot = std::move(fake);
    return raw;
}

} // namespace

FakePlatform::FakePlatform()
    : activeApp(install<ActiveAppSourceFake>(services.activeApp))
    , runningApps(install<RunningAppsSourceFake>(services.runningApps))
    , windowTitles(install<WindowTitleSourceFake>(services.windowTitles))
    , idle(install<IdleSensorFake>(services.idle))
    , sessionEvents(install<SessionEventsFake>(services.sessionEvents))
    , camera(install<CameraSensorFake>(services.camera))
    , capturer(install<ScreenCapturerFake>(services.capturer))
    , screenPermission(install<ScreenPermissionFake>(services.screenPermission))
    , hotKey(install<GlobalHotKeyFake>(services.hotKey))
    , keyEvents(install<KeyEventSourceFake>(services.keyEvents))
    , presentationLock(install<PresentationLockFake>(services.presentationLock))
    , loginItem(install<LoginItemFake>(services.loginItem))
    , sound(install<SoundFake>(services.sound))
{
}
