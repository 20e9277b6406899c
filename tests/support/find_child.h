#pragma once
// Windows are tested through their controls' object names; a missing control
// fails the test with its name.

#include <QObject>
#include <QString>

#include <gtest/gtest.h>

template <typename T> T *child(const QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

template <typename T> T *child(const QObject &parent, const char *name)
{
    return child<T>(&parent, name);
}
