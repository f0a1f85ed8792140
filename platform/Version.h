#pragma once

#include <QString>

// The program's file version, four numbers separated by points; declared
// once, in the build.
inline QString fileVersion()
{
    return QStringLiteral(QUELMO_FILE_VERSION);
}
