#include "core/session/StartOptions.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

// --help and --version are answered before any window; every other command
// line opens the windows.
TEST(StartOptions, HelpAndVersionAnswerInsteadOfOpening) {
    struct Case {
        QStringList arguments;
        const char* starts; // nullptr: the windows open
    };
    const QString tubarex = QStringLiteral("tubarex");
    const std::vector<Case> cases = {
        {{tubarex, QStringLiteral("--help")}, "Uso: tubarex [FILE]\n"},
        {{tubarex, QStringLiteral("-h")}, "Uso: tubarex [FILE]\n"},
        {{tubarex, QStringLiteral("Tubarex-dati-x"), QStringLiteral("--help")}, "Uso: tubarex"},
        {{tubarex, QStringLiteral("--version")}, "tubarex "},
        {{tubarex, QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("-v")},
         "tubarex "},
        {{tubarex}, nullptr},
        {{tubarex, QStringLiteral("Tubarex-dati-x")}, nullptr},
        {{tubarex, QStringLiteral("-platform"), QStringLiteral("offscreen")}, nullptr},
        {{tubarex, QStringLiteral("--"), QStringLiteral("--help")}, nullptr},
    };
    for (const Case& c : cases) {
        const std::optional<QString> text = StartInformation(c.arguments);
        const std::string what = c.arguments.join(u' ').toStdString();
        ASSERT_EQ(text.has_value(), c.starts != nullptr) << what;
        if (text) {
            EXPECT_TRUE(text->startsWith(QString::fromUtf8(c.starts))) << what;
        }
    }
    // One line: the name and the version of the build, as the package has it.
    const QString version = *StartInformation({tubarex, QStringLiteral("--version")});
    EXPECT_EQ(version, VersionLine(tubarex));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^tubarex \\d+\\.\\d+\\.\\d+\\n$"))
                    .match(version)
                    .hasMatch())
        << version.toStdString();
}
