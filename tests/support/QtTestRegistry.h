#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <map>

// Qt Test classes of one executable, run by name: `tests Forms` runs the
// class registered as "Forms", no name runs them all; `tests --list-classes`
// names them, one a line (tubarex_qt_tests in tests/CMakeLists.txt makes a
// ctest entry of each).
std::map<QString, std::function<QObject*()>>& qtTestClasses();

struct QtTestRegistration {
    QtTestRegistration(const char* name, std::function<QObject*()> make) {
        qtTestClasses()[QString::fromLatin1(name)] = std::move(make);
    }
};

#define TUBAREX_QT_TEST(Class)                                                                     \
    static const QtTestRegistration registration_##Class(#Class, [] { return new Class; });
