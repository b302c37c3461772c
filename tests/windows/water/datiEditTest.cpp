#include "QtTestRegistry.h"
#include "ShellFixture.h"

#include "core/file/ProjectFile.h"
#include "core/model/NumberText.h"
#include "windows/frame/BandEditing.h"
#include "windows/frame/WindowFrame.h"
#include "windows/project/ProjectFileCommands.h"
#include "windows/water/dati.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// A spreadsheet's copy of three complete rows: five cells each, decimal
// commas, CR LF line ends and a final line break.
const QString ThreeRows = QStringLiteral("100\t50\t2,5\tliscio\t0,00018\r\n"
                                         "120\t40\t1\tcorrente\t0,00023\r\n"
                                         "80\t32\t0,5\tscabro\t0,00032\r\n");

// The water window over rows 1..n complete (length 10 × r, diameter 50,
// flow 2, smooth pipe), computed and shown.
struct EditFixture {
    ShellFixture f;
    dati& w = f.forms.get<dati>();

    explicit EditFixture(int n) {
        ApplicationState& s = f.state;
        for (int r = 1; r <= n; ++r) {
            s.project.water.StoreWaterCell(r, WaterColumn::lungh, NumberToText(10 * r));
            s.project.water.StoreWaterCell(r, WaterColumn::diam, QStringLiteral("50"));
            s.project.water.StoreWaterCell(r, WaterColumn::port, QStringLiteral("2"));
            s.project.water.PickWallType(r, 1);
        }
        w.RefreshBand();
    }

    // The whole table as the window shows and keeps it.
    struct Snapshot {
        WaterTable table;
        std::optional<int> count;
        int bandTop;
        QString countLabel;
        QString firstLength;
        friend bool operator==(const Snapshot&, const Snapshot&) = default;
    };
    Snapshot snapshot() const {
        return {f.state.project.water.table(), f.state.project.water.count(),
                f.state.view.WaterBandTop, w.Label1->text(), w.lungh(1)->text()};
    }

    void pasteInto(QWidget* box, const QString& clipboard) {
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
    QAction* menuEntry(QMenu& menu, const char* name) {
        return menu.findChild<QAction*>(QString::fromLatin1(name));
    }
};

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class datiEdit_Test : public QObject {
    Q_OBJECT
private slots:
    // Three rows of five cells pasted at row 4 fill rows 4-6 and compute
    // them, as typing would; Maiusc+Ins pastes too.
    void blockFillsRowsAndComputesThem() {
        for (const auto& keys :
             {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}) {
            EditFixture e(3);
            QGuiApplication::clipboard()->setText(ThreeRows);
            QTest::keySequence(e.w.lungh(4), keys);
            const ApplicationState& s = e.f.state;
            QVERIFY(e.f.services.messages.shown.empty());
            QCOMPARE(s.project.water.rows(), 6);
            QCOMPARE(e.w.Label1->text(), QStringLiteral("6"));
            QCOMPARE(s.project.water.at(4, WaterColumn::port).displayText(), QStringLiteral("2.5"));
            QCOMPARE(s.project.water.at(5, WaterColumn::tipoc).displayText(),
                     QStringLiteral("corrente"));
            QCOMPARE(s.project.water.at(6, WaterColumn::sca).displayText(),
                     QStringLiteral("0.00032"));
            for (int r = 4; r <= 6; ++r) {
                QVERIFY(s.project.water.at(r, WaterColumn::perd).value() > 0.0);
                QCOMPARE(e.w.perd(r)->text(),
                         s.project.water.at(r, WaterColumn::perd).displayText());
                QCOMPARE(e.w.box(WaterColumn::diam, r)->text(),
                         s.project.water.at(r, WaterColumn::diam).displayText());
            }
            QCOMPARE(e.w.passo->text(),
                     QStringLiteral("Correggere, archiviare quanto immesso, digitare ulteriori "
                                    "dati, andare oltre (stampa, Frontespizio)."));
        }
    }

    // The band moves to show the last row pasted; "12,5" is 12.5, not 12.
    void bandShowsLastPastedRow() {
        EditFixture e(9);
        QString block;
        for (int r = 10; r <= 24; ++r)
            block += QStringLiteral("12,5\r\n");
        e.pasteInto(e.w.lungh(10), block);
        QCOMPARE(e.f.state.project.water.rows(), 24);
        QCOMPARE(e.f.state.project.water.at(24, WaterColumn::lungh).displayText(),
                 QStringLiteral("12.5"));
        QCOMPARE(e.w.VScroll1->value(), 15);
        QCOMPARE(e.w.num(10)->text(), QStringLiteral("24"));
        QCOMPARE(e.w.lungh(10)->text(), QStringLiteral("12.5"));
    }

    // A refused block is named by row and column and changes nothing.
    void refusedBlockChangesNothing() {
        EditFixture e(3);
        const auto before = e.snapshot();
        e.pasteInto(e.w.box(WaterColumn::valv, 2), QStringLiteral("1\t2\r\n"));
        QCOMPARE(e.f.services.messages.shown.size(), size_t(1));
        const auto& message = e.f.services.messages.shown[0];
        QCOMPARE(message.text, QStringLiteral("Tronco n. 2, dopo la colonna 'valvole':\r- il "
                                              "blocco va oltre l'ultima colonna dei dati;\r- il "
                                              "blocco non è stato incollato."));
        QCOMPARE(message.icon, NoticeIcon::Critical);
        QCOMPARE(message.title, e.f.state.program.CheckTitle);
        QVERIFY(e.snapshot() == before);
        QVERIFY(e.w.box(WaterColumn::valv, 2)->text().isEmpty());
    }

    // A single value is the box's own paste, as before.
    void singleValueIsTheBoxsPaste() {
        EditFixture e(3);
        e.w.box(WaterColumn::c45, 2)->setFocus();
        e.pasteInto(e.w.box(WaterColumn::c45, 2), QStringLiteral("4"));
        QCOMPARE(e.f.state.project.water.at(2, WaterColumn::c45).displayText(),
                 QStringLiteral("4"));
        QVERIFY(e.f.services.messages.shown.empty());
    }

    // Every command that changes the table is one step: undo gives back the
    // whole table, the count and the band, redo the command's result.
    void undoAndRedoEveryCommand() {
        struct Command {
            const char* name;
            std::function<void(EditFixture&)> run;
        };
        const Command commands[] = {
            {"paste", [](EditFixture& e) { e.pasteInto(e.w.lungh(4), ThreeRows); }},
            {"delete", [](EditFixture& e) { e.w.delriga(2)->click(); }},
            {"clear",
             [](EditFixture& e) { e.w.frame()->item(QStringLiteral("cancella"))->trigger(); }},
            {"insert",
             [](EditFixture& e) {
                 std::unique_ptr<QMenu> menu(e.w.editing().contextMenu(e.w.num(2)));
                 e.menuEntry(*menu, "inserisciriga")->trigger();
             }},
            {"typing",
             [](EditFixture& e) {
                 e.w.box(WaterColumn::diam, 3)->setFocus();
                 QTest::keyClicks(e.w.box(WaterColumn::diam, 3), QStringLiteral("12"));
             }},
            {"list pick", [](EditFixture& e) { QTest::keyClick(e.w.tipoc(1), Qt::Key_Down); }},
        };
        for (const Command& command : commands) {
            EditFixture e(3);
            const auto before = e.snapshot();
            command.run(e);
            const auto after = e.snapshot();
            QVERIFY2(!(after == before), command.name);
            QTest::keyClick(e.w.lungh(1), Qt::Key_Z, Qt::ControlModifier);
            QVERIFY2(e.snapshot() == before, command.name);
            QCOMPARE(e.w.lungh(2)->text(), e.f.state.project.water.at(2, 1).displayText());
            QTest::keyClick(e.w.lungh(1), Qt::Key_Y, Qt::ControlModifier);
            QVERIFY2(e.snapshot() == after, command.name);
            QTest::keyClick(e.w.lungh(1), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QVERIFY2(e.snapshot() == after, command.name);
            QVERIFY2(e.f.services.messages.shown.empty(), command.name);
        }
    }

    // The context menu reaches the same commands; a saved file is not
    // touched by an undo, and opening a file starts a fresh history.
    void contextMenuAndFiles() {
        EditFixture e(3);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("rete"));
        std::unique_ptr<QMenu> menu(e.w.editing().contextMenu(e.w.lungh(2)));
        QStringList names;
        for (QAction* a : menu->actions()) {
            if (!a->isSeparator())
                names.append(a->text());
        }
        QCOMPARE(names.mid(0, 5), (QStringList{"Annulla", "Ripeti", "Incolla righe", "Copia righe",
                                               "Inserisci riga"}));
        QVERIFY(!e.menuEntry(*menu, "annulla")->isEnabled());

        e.menuEntry(*menu, "inserisciriga")->trigger();
        QCOMPARE(e.f.state.project.water.at(3, WaterColumn::lungh).displayText(),
                 QStringLiteral("20"));
        QVERIFY(SaveProjectFile(e.f.state.project, path).ok());
        const QByteArray saved = fileBytes(path);
        menu.reset(e.w.editing().contextMenu(e.w.lungh(2)));
        e.menuEntry(*menu, "annulla")->trigger();
        QCOMPARE(e.f.state.project.water.at(2, WaterColumn::lungh).displayText(),
                 QStringLiteral("20"));
        QCOMPARE(fileBytes(path), saved);

        e.menuEntry(*menu, "copiarighe")->trigger();
        const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 6); // two heads, three rows, the final line break
        QVERIFY(lines[0].startsWith(QStringLiteral("tronco\tlungh.\tdiam.\tportata")));
        QVERIFY(lines[1].startsWith(QStringLiteral("\tmetri\tmillimetri")));
        QVERIFY(lines[2].startsWith(QStringLiteral("1\t10\t50\t2\tliscio\t")));

        menu.reset(e.w.editing().contextMenu(e.w.lungh(2)));
        e.menuEntry(*menu, "ripeti")->trigger();
        QVERIFY(e.w.editing().table().canUndo());
        QVERIFY(OpenProject(e.f.context, path).ok());
        QVERIFY(!e.w.editing().table().canUndo());
        QVERIFY(!e.w.editing().table().canRedo());
    }

    // Ctrl+V stands beside one entry of the band's context menu, the one
    // it runs there: the rows pasted when the clipboard holds a block, the
    // box's own paste when it holds one value.
    void onePasteEntryPerShortcut() {
        EditFixture e(3);
        const struct {
            const char* clipboard;
            QWidget* control;
            const char* entry;
        } cases[] = {{"5\t60\n", e.w.lungh(2), "incollarighe"},
                     {"5\t60\n", e.w.tipoc(2), "incollarighe"},
                     {"5\t60\n", e.w.num(2), "incollarighe"},
                     {"60", e.w.lungh(2), "casella"},
                     {"60", e.w.tipoc(2), "casella"}};
        for (const auto& c : cases) {
            QGuiApplication::clipboard()->setText(QString::fromLatin1(c.clipboard));
            std::unique_ptr<QMenu> menu(e.w.editing().contextMenu(c.control));
            QStringList withKey;
            for (QAction* a : menu->actions()) {
                const QString shown = a->shortcut().isEmpty()
                                          ? a->text().section(QLatin1Char('\t'), 1)
                                          : a->shortcut().toString();
                if (shown == QKeySequence(QKeySequence::Paste).toString())
                    withKey.append(a->objectName() == QLatin1String("incollarighe")
                                       ? a->objectName()
                                       : QStringLiteral("casella"));
            }
            QCOMPARE(withKey, QStringList{QString::fromLatin1(c.entry)});
        }
    }

    // An insert that would push data off row 500 is refused.
    void insertRefusedWhenRow500HoldsData() {
        EditFixture e(3);
        e.f.state.project.water.StoreWaterCell(500, WaterColumn::c45, QStringLiteral("1"));
        const auto before = e.snapshot();
        e.w.editing().insertRowAt(2);
        QCOMPARE(e.f.services.messages.shown.size(), size_t(1));
        QVERIFY(e.f.services.messages.shown[0].text.startsWith(
            QStringLiteral("Non è possibile inserire una riga")));
        QVERIFY(e.snapshot() == before);
    }
};

TUBAREX_QT_TEST(datiEdit_Test)
#include "datiEditTest.moc"
