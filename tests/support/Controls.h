#pragma once

#include <QObject>
#include <QString>

// A window's control by its objectName. A control that is missing ends the
// run with its name, rather than with a crash somewhere later.
template<typename T> T *control(const QObject *root, const QString &name)
{
    T *found = root->findChild<T *>(name);
    if (found == nullptr)
        qFatal("no control named %s of the expected kind", qPrintable(name));
    return found;
}

template<typename T> T *control(const QObject *root, const char *name)
{
    return control<T>(root, QString::fromLatin1(name));
}
