#include "QtTestRegistry.h"
#include "ShellFixture.h"

#include "core/ProjectFile.h"
#include "windows/cover/frontespizio.h"
#include "windows/frame/WindowFrame.h"
#include "windows/gas/datigas.h"
#include "windows/water/dati.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>

#include <map>

// What the File menus offer beyond the classic entries: the recent
// projects, the usual keys, dialogs in the project's folder, the saved hint.
namespace {

// The three main windows, each with its frame.
struct MainWindows {
    ShellFixture f;
    MainWindows() {
        f.forms.enrol<dati>();
        f.forms.enrol<datigas>();
        f.forms.enrol<frontespizio>();
    }
    WindowFrame* frame(int k) {
        switch (k) {
        case 0:
            return f.forms.show<dati>().frame();
        case 1:
            return f.forms.show<datigas>().frame();
        default:
            return f.forms.show<frontespizio>().frame();
        }
    }
};

const char* const WindowNames[] = {"acqua", "gas", "frontespizio"};

// A small complete project named `name`, written to `path`.
void writeProject(const QString& path, const QString& name) {
    ApplicationState s;
    StoreWaterCell(s, 1, WaterColumn::lungh, QStringLiteral("10"));
    StoreWaterCell(s, 1, WaterColumn::diam, QStringLiteral("50"));
    StoreWaterCell(s, 1, WaterColumn::port, QStringLiteral("2"));
    PickWallType(s, 1, 1);
    RecountRows(s);
    SetGasCell(s, 1, GasColumn::lungh, QStringLiteral("10"));
    SetGasCell(s, 1, GasColumn::tipofi, QStringLiteral("1''"));
    SetGasCell(s, 1, GasColumn::portgas, QStringLiteral("2"));
    SetGasCell(s, 1, GasColumn::tipoc, QStringLiteral("metano"));
    SetGasCell(s, 1, GasColumn::diam, QStringLiteral("27.9"));
    CountGasRows(s);
    s.cover.progetto = name;
    [&] { QCOMPARE(SaveProjectFile(s, path), QString()); }();
}

// The entries of the File menu's recent list: names and tooltips.
QStringList recentEntries(WindowFrame* frame) {
    QMenu* file = frame->menu(QStringLiteral("file"));
    emit file->aboutToShow();
    QStringList entries;
    for (QAction* a : file->actions()) {
        if (a->objectName().startsWith(QLatin1String("recente(")))
            entries.append(a->text() + QLatin1Char('|') + a->toolTip());
    }
    return entries;
}

QAction* fileEntry(WindowFrame* frame, const QString& name) {
    QMenu* file = frame->menu(QStringLiteral("file"));
    emit file->aboutToShow();
    for (QAction* a : file->actions()) {
        if (a->objectName() == name)
            return a;
    }
    return nullptr;
}

} // namespace

class FileMenu_Test : public QObject {
    Q_OBJECT
private slots:
    // Files opened or saved from any window are listed in the three File
    // menus after the classic entries, newest first, with their path as a
    // tooltip; an entry opens its project; "Svuota elenco" empties it.
    void recentProjectsInTheFileMenus() {
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("Tubarex-dati-a"));
        const QString b = dir.filePath(QStringLiteral("Tubarex-dati-b"));
        writeProject(a, QStringLiteral("A"));
        writeProject(b, QStringLiteral("B"));
        MainWindows w;
        w.f.services.dialogs.openResults.push_back(a);
        w.frame(1)->item(QStringLiteral("apri"))->trigger();
        w.f.services.dialogs.saveResults.push_back(b);
        w.frame(2)->item(QStringLiteral("salvanome"))->trigger();
        const QStringList expected{QStringLiteral("&1 Tubarex-dati-b|") + b,
                                   QStringLiteral("&2 Tubarex-dati-a|") + a};
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(recentEntries(w.frame(k)), expected);
            // After the classic entries.
            QAction* first = fileEntry(w.frame(k), QStringLiteral("recente(1)"));
            const QList<QAction*> actions = w.frame(k)->menu(QStringLiteral("file"))->actions();
            QVERIFY(actions.indexOf(first) >
                    actions.indexOf(w.frame(k)->item(k == 2 ? QStringLiteral("esci")
                                                            : QStringLiteral("usci"))));
        }
        fileEntry(w.frame(0), QStringLiteral("recente(2)"))->trigger();
        QCOMPARE(w.f.state.cover.progetto, QStringLiteral("A"));
        QCOMPARE(w.f.state.CurrentFileName, a);
        QCOMPARE(recentEntries(w.frame(2)).first(), QStringLiteral("&1 Tubarex-dati-a|") + a);

        fileEntry(w.frame(1), QStringLiteral("svuotaelenco"))->trigger();
        QVERIFY(recentEntries(w.frame(0)).isEmpty());
        QVERIFY(!fileEntry(w.frame(0), QStringLiteral("svuotaelenco"))->isEnabled());
    }

    // A listed file that is gone is refused with the message of Apri and
    // leaves the list; the project stays as it was.
    void missingRecentFileLeavesTheList() {
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("Tubarex-dati-a"));
        writeProject(a, QStringLiteral("A"));
        MainWindows w;
        w.f.state.recent.add(a);
        QVERIFY(QFile::remove(a));
        fileEntry(w.frame(2), QStringLiteral("recente(1)"))->trigger();
        QCOMPARE(w.f.services.messages.shown.size(), size_t(1));
        QVERIFY(w.f.services.messages.shown[0].text.startsWith(
            QStringLiteral("Impossibile aprire il file")));
        QCOMPARE(w.f.services.messages.shown[0].icon, NoticeIcon::Critical);
        QVERIFY(w.f.state.recent.files().isEmpty());
        QVERIFY(w.f.state.cover.progetto.isEmpty());
    }

    // Ctrl+O, Ctrl+S, Ctrl+Maiusc+S and Ctrl+P stand beside Apri, Salva,
    // Salva con nome and the window's print; the classic Ctrl+A..D stay
    // with the window list; no two entries of a window share a key.
    void everyKeyHasOneEntry_data() {
        QTest::addColumn<int>("window");
        for (int k = 0; k < 3; ++k)
            QTest::newRow(WindowNames[k]) << k;
    }
    void everyKeyHasOneEntry() {
        QFETCH(int, window);
        MainWindows w;
        WindowFrame* frame = w.frame(window);
        std::map<QString, QString> entryOfKey;
        for (QAction* a : frame->menuBar()->window()->findChildren<QAction*>()) {
            for (const QKeySequence& key : a->shortcuts()) {
                const auto [it, fresh] = entryOfKey.emplace(key.toString(), a->objectName());
                QVERIFY2(fresh, qPrintable(key.toString() + QStringLiteral(": ") + it->second +
                                           QStringLiteral(", ") + a->objectName()));
            }
        }
        const std::pair<const char*, QString> expected[] = {
            {"Ctrl+A", QStringLiteral("fin1")},
            {"Ctrl+B", QStringLiteral("fin2")},
            {"Ctrl+C", QStringLiteral("fin3")},
            {"Ctrl+D", QStringLiteral("fin4")},
            {"Ctrl+O", QStringLiteral("apri")},
            {"Ctrl+S", QStringLiteral("salva")},
            {"Ctrl+Shift+S", QStringLiteral("salvanome")},
            {"Ctrl+P", window == 2 ? QStringLiteral("stampatutto") : QStringLiteral("stampa")},
        };
        for (const auto& [key, entry] : expected)
            QCOMPARE(entryOfKey[QString::fromLatin1(key)], entry);
    }

    // The dialogs open in the current project's folder, whichever window
    // asks, and without a project in the folder last used; never in the
    // process's working folder.
    void dialogsOpenInTheProjectsFolder() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("progetti"));
        const QString other = dir.filePath(QStringLiteral("altri"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QDir().mkpath(other));
        const QString a = QDir(folder).filePath(QStringLiteral("Tubarex-dati-a"));
        writeProject(a, QStringLiteral("A"));
        MainWindows w;
        auto& dialogs = w.f.services.dialogs;
        w.frame(0)->item(QStringLiteral("apri"))->trigger();
        QVERIFY(!dialogs.openRequests.back().folder.isEmpty());
        QVERIFY(dialogs.openRequests.back().folder != QDir::currentPath());

        // The folder last used, with no project yet.
        dialogs.openResults.push_back(QDir(other).filePath(QStringLiteral("nessuno")));
        w.frame(2)->item(QStringLiteral("eliminare"))->trigger();
        w.frame(1)->item(QStringLiteral("apri"))->trigger();
        QCOMPARE(dialogs.openRequests.back().folder, other);

        // The project's, once there is one.
        QCOMPARE(OpenProject(w.f.context, a), QString());
        for (int k = 0; k < 3; ++k) {
            const size_t asked = dialogs.saveRequests.size();
            w.frame(k)->item(QStringLiteral("salvanome"))->trigger();
            QCOMPARE(dialogs.saveRequests.size(), asked + 1);
            QCOMPARE(dialogs.saveRequests.back().folder, folder);
            w.frame(k)->item(QStringLiteral("eliminare"))->trigger();
            QCOMPARE(dialogs.openRequests.back().folder, folder);
        }
    }

    // After a save the hint box of the window that saved says where and
    // when, until the next change.
    void savedHintUntilTheNextChange_data() {
        QTest::addColumn<int>("window");
        for (int k = 0; k < 3; ++k)
            QTest::newRow(WindowNames[k]) << k;
    }
    void savedHintUntilTheNextChange() {
        QFETCH(int, window);
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("Tubarex-dati-a"));
        writeProject(a, QStringLiteral("A"));
        MainWindows w;
        QCOMPARE(OpenProject(w.f.context, a), QString());
        QLabel* hints[] = {w.f.forms.get<dati>().passo, w.f.forms.get<datigas>().passo,
                           w.f.forms.get<frontespizio>().passo};
        const QString before = hints[window]->text();
        const QTime now = QTime::currentTime();
        w.frame(window)->item(QStringLiteral("salva"))->trigger();
        const QString hint = hints[window]->text();
        QVERIFY2(hint.startsWith(QStringLiteral("Archiviato in \u00ab") +
                                 QDir::toNativeSeparators(a) + QStringLiteral("\u00bb alle ")),
                 qPrintable(hint));
        const QTime shown = QTime::fromString(hint.right(5), QStringLiteral("HH:mm"));
        QVERIFY(shown.isValid());
        QVERIFY(qAbs(shown.secsTo(now)) < 120);

        QTest::keyClicks(w.f.forms.get<frontespizio>().luogo(), QStringLiteral("Roma"));
        QCOMPARE(hints[window]->text(), before);
    }
};

TUBAREX_QT_TEST(FileMenu_Test)
#include "FileMenuTest.moc"
