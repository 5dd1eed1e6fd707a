#pragma once

#include <QIcon>

// The program's icon in all its built-in sizes.
QIcon programIcon();
