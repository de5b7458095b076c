// Loaded into KWin by Solitask. Tells Solitask, on every change, which
// windows exist, where they are, how they are stacked and which one is
// active, so that it can name the app in front and paint over private
// windows before a frame leaves. Solitask fills in its own bus name.
var service = "@SOLITASK_SERVICE@";

function describe(w) {
    var g = w.frameGeometry;
    return {
        caption: w.caption,
        resourceClass: w.resourceClass,
        desktopFileName: w.desktopFileName,
        pid: w.pid,
        x11Window: w.windowId || 0,
        x: g.x, y: g.y, width: g.width, height: g.height,
        opacity: w.opacity,
        active: w.active,
        minimized: w.minimized,
        hidden: w.hidden,
        onAllDesktops: w.onAllDesktops,
        desktop: w.desktop,
        normal: w.normalWindow || w.dialog || w.utility,
        stackingOrder: w.stackingOrder
    };
}

var reportedScreen = -1;

function report() {
    reportedScreen = workspace.activeScreen;
    var windows = workspace.clientList().filter(function (w) { return !w.deleted; });
    windows.sort(function (a, b) { return a.stackingOrder - b.stackingOrder; });
    var area = workspace.virtualScreenGeometry;
    var screen = workspace.clientArea(KWin.ScreenArea, workspace.activeScreen,
        workspace.currentDesktop);
    callDBus(service, "/org/solitask/KWinWindows", "org.solitask.KWinWindows", "report",
        JSON.stringify({
            currentDesktop: workspace.currentDesktop,
            area: {x: area.x, y: area.y, width: area.width, height: area.height},
            screen: {x: screen.x, y: screen.y, width: screen.width, height: screen.height},
            windows: windows.map(describe)
        }));
}

var windowSignals = ["captionChanged", "frameGeometryChanged", "stackingOrderChanged",
    "activeChanged", "minimizedChanged", "hiddenChanged", "desktopChanged",
    "desktopFileNameChanged", "windowClassChanged", "fullScreenChanged", "windowShown",
    "windowHidden"];

function watch(w) {
    windowSignals.forEach(function (name) {
        if (w[name])
            w[name].connect(report);
    });
}

workspace.clientList().forEach(watch);
workspace.clientAdded.connect(function (w) { watch(w); report(); });
workspace.clientRemoved.connect(report);
workspace.clientActivated.connect(report);
workspace.currentDesktopChanged.connect(report);
// The active output follows the pointer, which no signal reports to scripts.
var screenWatch = new QTimer();
screenWatch.interval = 500;
screenWatch.timeout.connect(function () {
    if (workspace.activeScreen != reportedScreen)
        report();
});
screenWatch.start();
report();
