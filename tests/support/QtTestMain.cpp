#include "QtTestRegistry.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <memory>

std::map<QString, std::function<QObject*()>>& qtTestClasses() {
    static std::map<QString, std::function<QObject*()>> classes;
    return classes;
}

int main(int argc, char* argv[]) {
    // The classes, one a line, for the build to give each its ctest entry;
    // answered before any application exists, so without a screen.
    if (argc == 2 && std::strcmp(argv[1], "--list-classes") == 0) {
        for (const auto& entry : qtTestClasses())
            std::printf("%s\n", qPrintable(entry.first));
        return 0;
    }
    QApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    QString only;
    if (arguments.size() > 1 && !arguments.at(1).startsWith(QLatin1Char('-')))
        only = arguments.takeAt(1);
    int failures = 0;
    int run = 0;
    for (const auto& [name, make] : qtTestClasses()) {
        if (!only.isEmpty() && name != only)
            continue;
        std::unique_ptr<QObject> test(make());
        failures += QTest::qExec(test.get(), arguments);
        ++run;
    }
    if (run == 0) {
        qWarning("no test class named %s", qPrintable(only));
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
