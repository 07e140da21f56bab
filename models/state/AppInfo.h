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
} // namespace app
