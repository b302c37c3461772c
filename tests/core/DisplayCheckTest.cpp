#include "core/session/DisplayCheck.h"

#include <gtest/gtest.h>

TEST(DisplayCheck, WindowsNeedAScreenOrAChosenPlatform) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> environment;
        QStringList arguments;
        bool refused;
    };
    const std::vector<Case> cases = {
        {{}, {QStringLiteral("tubarex")}, true},
        {{{"DISPLAY", ""}, {"HOME", "/home/u"}}, {QStringLiteral("tubarex")}, true},
        {{{"DISPLAY", ":0"}}, {QStringLiteral("tubarex")}, false},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, {QStringLiteral("tubarex")}, false},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, {QStringLiteral("tubarex")}, false},
        {{},
         {QStringLiteral("tubarex"), QStringLiteral("-platform"), QStringLiteral("vnc")},
         false},
    };
    for (const Case& c : cases) {
        QProcessEnvironment environment;
        for (const auto& [name, value] : c.environment)
            environment.insert(QString::fromLatin1(name), QString::fromLatin1(value));
        const QString message = MissingDisplayMessage(c.arguments, environment);
        EXPECT_EQ(!message.isEmpty(), c.refused) << c.arguments.join(u' ').toStdString();
        if (c.refused) {
            EXPECT_TRUE(message.contains(QStringLiteral("xvfb-run tubarex")));
        }
    }
}
