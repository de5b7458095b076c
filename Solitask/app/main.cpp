#include "Solitask/app/AppInfo.h"
#include "Solitask/app/WindowShots.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    if (const QString folder = qEnvironmentVariable("SOLITASK_WINDOW_SHOT"); !folder.isEmpty()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return WindowShots::render(folder) ? 0 : 1;
    }
    std::printf("%s %s\n", qPrintable(AppInfo::name()), qPrintable(AppInfo::version()));
    return 0;
}
