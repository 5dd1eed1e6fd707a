#include "shell/ProgramIcon.h"

QIcon programIcon()
{
    // Window sizes only: every size is decoded when a window is first shown,
    // and the desktop takes larger ones from the installed icon theme.
    QIcon icon;
    for (const int size : { 16, 32, 48 })
        icon.addFile(QStringLiteral(":/icons/quillmere-%1.png").arg(size), QSize(size, size));
    return icon;
}
