#include "Solitask/app/AppInfo.h"

#include <cstdio>

int main()
{
    std::printf("%s %s\n", qPrintable(AppInfo::name()), qPrintable(AppInfo::version()));
    return 0;
}
