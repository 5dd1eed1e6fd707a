#include "shell/AboutBox.h"

void showAboutBox(Platform &platform)
{
    (void)platform;
}
