#pragma once
#include <QString>

namespace app {
inline QString ProgramCaption()
{
    return QStringLiteral("Tallimo Win9");
}
// The desktop entry's file name without ".desktop", the icon's name, and Wayland's app id. The
// windows' X11 class is the application name, ProgramCaption(): the entry's StartupWMClass.
inline QString DesktopId()
{
    return QStringLiteral("org.tallimo.TallimoWin9");
}
// The version the build was given (the project's version in CMake).
inline QString ProgramVersion()
{
    return QStringLiteral(TALLIMO_VERSION);
}
// "Tallimo Win9/1.0": how every download names the program to the server.
inline QString UserAgent()
{
    return ProgramCaption() + QLatin1Char('/') + ProgramVersion();
}
} // namespace app
