#include "QtTestRegistry.h"
#include "ShellFixture.h"

#include "core/model/NumberText.h"
#include "windows/frame/BandEditing.h"
#include "windows/frame/WindowFrame.h"
#include "windows/gas/datigas.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

// The gas window over rows 1..n complete (length 10 × r, a 1'' pipe, flow
// 2, methane), computed and shown.
struct GasEditFixture {
    ShellFixture f;
    datigas& w = f.forms.get<datigas>();

    explicit GasEditFixture(int n) {
        ApplicationState& s = f.state;
        for (int r = 1; r <= n; ++r) {
            s.project.gas.TypeGasCell(r, GasColumn::lungh, NumberToText(10 * r));
            s.project.gas.ApplyNominalDiameter(r, 4);
            s.project.gas.TypeGasCell(r, GasColumn::portgas, QStringLiteral("2"));
            s.project.gas.TypeGasCell(r, GasColumn::tipoc, QStringLiteral("metano"));
        }
        w.RefreshGasBand();
    }
    ~GasEditFixture() { f.forms.unload(&w); }

    struct Snapshot {
        GasSegmentTable table;
        std::optional<int> count;
        int bandTop;
        QString countLabel;
        friend bool operator==(const Snapshot&, const Snapshot&) = default;
    };
    Snapshot snapshot() const {
        return {f.state.project.gas.table(), f.state.project.gas.count(), f.state.view.GasBandTop,
                w.Label1->text()};
    }
    void pasteInto(QWidget* box, const QString& clipboard) {
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }
    QString cell(int row, int column) const {
        return f.state.project.gas.at(row, column).displayText();
    }
};

} // namespace

class datigasEdit_Test : public QObject {
    Q_OBJECT
private slots:
    // The pasted values follow the typing rules: a nominal diameter brings
    // its internal one, an internal diameter names its pipe, a gas type its
    // properties; the rows are computed.
    void blockFollowsTheTypingRules() {
        GasEditFixture e(3);
        e.pasteInto(e.w.lungh(4), QStringLiteral("10\t1''\t2,5\tmetano\r\n"
                                                 "12\t\t3\tgpl\t36,6\r\n"
                                                 "8\t\t1\tmetano\t30\r\n"));
        QVERIFY(e.f.services.messages.shown.empty());
        QCOMPARE(e.f.state.project.gas.rows(), 6);
        QCOMPARE(e.cell(4, GasColumn::diam), QStringLiteral("27.9"));
        QCOMPARE(e.cell(4, GasColumn::portgas), QStringLiteral("2.5"));
        QCOMPARE(e.cell(5, GasColumn::tipofi), QStringLiteral("1 1/4''"));
        QCOMPARE(e.cell(5, GasColumn::tipoc), QStringLiteral("GPL"));
        QCOMPARE(e.cell(6, GasColumn::tipofi), QStringLiteral("ND"));
        QCOMPARE(e.w.tipofi(5)->currentText(), QStringLiteral("1 1/4''"));
        for (int r = 4; r <= 6; ++r) {
            QVERIFY(e.f.state.project.gas.at(r, GasColumn::perd).value() > 0.0);
            QCOMPARE(e.w.perd(r)->text(), e.cell(r, GasColumn::perd));
        }
        QCOMPARE(e.w.Label1->text(), QStringLiteral("6"));
    }

    void refusedBlockChangesNothing() {
        GasEditFixture e(3);
        const auto before = e.snapshot();
        e.pasteInto(e.w.portgas(1), QStringLiteral("2\tmetano\t27,9\t5\r\n"));
        QCOMPARE(e.f.services.messages.shown.size(), size_t(1));
        QVERIFY(e.f.services.messages.shown[0].text.startsWith(
            QStringLiteral("Tronco n. 1, dopo la colonna ")));
        QVERIFY(e.snapshot() == before);
    }

    void undoAndRedoEveryCommand() {
        struct Command {
            const char* name;
            std::function<void(GasEditFixture&)> run;
        };
        const Command commands[] = {
            {"paste",
             [](GasEditFixture& e) {
                 e.pasteInto(e.w.lungh(2), QStringLiteral("5\t3/4''\r\n6\t1/2''\r\n"));
             }},
            {"delete", [](GasEditFixture& e) { e.w.delriga(1)->click(); }},
            {"clear",
             [](GasEditFixture& e) { e.w.frame()->item(QStringLiteral("cancella"))->trigger(); }},
            {"insert", [](GasEditFixture& e) { e.w.editing().insertRowAt(3); }},
            {"diameter typed",
             [](GasEditFixture& e) { QTest::keyClicks(e.w.diam(2), QStringLiteral("5")); }},
            {"fitting",
             [](GasEditFixture& e) {
                 e.w.CurrentRow = 2;
                 QTest::keyClicks(e.w.fitting(GasColumn::cu90), QStringLiteral("3"));
             }},
        };
        for (const Command& command : commands) {
            GasEditFixture e(3);
            const auto before = e.snapshot();
            command.run(e);
            const auto after = e.snapshot();
            QVERIFY2(!(after == before), command.name);
            QTest::keyClick(e.w.lungh(1), Qt::Key_Z, Qt::ControlModifier);
            QVERIFY2(e.snapshot() == before, command.name);
            QCOMPARE(e.w.diam(2)->text(), e.cell(2, GasColumn::diam));
            QTest::keyClick(e.w.lungh(1), Qt::Key_Y, Qt::ControlModifier);
            QVERIFY2(e.snapshot() == after, command.name);
        }
    }

    // Each network keeps its own history.
    void networksHaveTheirOwnHistory() {
        GasEditFixture e(3);
        e.w.editing().insertRowAt(1);
        QVERIFY(e.w.editing().table().canUndo());
        QVERIFY(!e.f.state.session.waterHistory.canUndo());
    }
};

TUBAREX_QT_TEST(datigasEdit_Test)
#include "datigasEditTest.moc"
