#pragma once
#include <QString>

namespace app {
inline QString ProgramCaption()
{
    return QStringLiteral("Tallimo Win9");
}
} // namespace app
