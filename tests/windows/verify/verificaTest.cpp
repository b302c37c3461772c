#include "NetworkRows.h"
#include "QtTestRegistry.h"
#include "ShellFixture.h"

#include "windows/frame/BandEditing.h"
#include "windows/gas/datigas.h"
#include "windows/verify/NetworkPanel.h"
#include "windows/verify/SeriesEditor.h"
#include "windows/verify/SizingPanel.h"
#include "windows/verify/VerificationModels.h"
#include "windows/verify/verifica.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The gas window and the verification window over a tree: 1 from the
// meter, 2 and 3 from 1 (terminals 2 and 3, the losses equal: 2 is the
// critical one, the first).
struct VerifyFixture {
    ShellFixture f;
    datigas& g = f.forms.get<datigas>();
    // Opened once the gas window shows the tree.
    verifica& v =
        (StoreGasNetwork(f.state, GasTree({0, 1, 1})), g.RefreshGasBand(), f.forms.get<verifica>());

    ~VerifyFixture() {
        f.forms.unload(&v);
        f.forms.unload(&g);
    }

    // The path the window shows as critical, by its terminal.
    int critical() const {
        const PathModel& paths = *v.gas->paths;
        for (int r = 0; r < paths.rowCount(); ++r) {
            if (paths.data(paths.index(r, 0), Qt::BackgroundRole).isValid())
                return paths.data(paths.index(r, 0), Qt::DisplayRole).toInt();
        }
        return 0;
    }
    bool typeUpstream(int row, const char* text) {
        SegmentModel& segments = *v.gas->segments;
        return segments.setData(segments.index(row - 1, SegmentModel::UpstreamColumn),
                                QString::fromLatin1(text), Qt::EditRole);
    }
};

} // namespace

class verifica_Test : public QObject {
    Q_OBJECT
private slots:
    // An upstream segment typed here is one step of the gas window's undo;
    // a bad one is refused, naming the segment.
    void upstreamTypedIsOneUndoStepOfTheDataWindow() {
        VerifyFixture e;
        const GasSegmentTable before = e.f.state.project.gas.table();
        QVERIFY(!e.typeUpstream(2, "5"));
        QCOMPARE(e.f.state.project.gas.table(), before);
        QCOMPARE(e.f.services.messages.shown.size(), size_t(1));
        QVERIFY(e.f.services.messages.shown[0].text.startsWith(QStringLiteral("Tronco n. 2: ")));
        QCOMPARE(e.f.services.messages.shown[0].icon, NoticeIcon::Critical);
        int changes = 0;
        e.f.state.session.listeners.add(
            [&](ProjectEvent event) { changes += event == ProjectEvent::Changed; });
        QVERIFY(e.typeUpstream(3, "2"));
        QCOMPARE(e.f.state.project.gas.table().upstream(3), 2);
        QCOMPARE(changes, 1);
        QCOMPARE(e.critical(), 3);
        QTest::keyClick(e.g.lungh(1), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(e.f.state.project.gas.table().upstream(3), 1);
        QCOMPARE(e.critical(), 2);
        // The window's own Ctrl+Z acts on the network of its tab.
        e.v.reti->setCurrentWidget(e.v.gas);
        QTest::keyClick(e.g.lungh(1), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(e.f.state.project.gas.table().upstream(3), 2);
        e.v.undo();
        QCOMPARE(e.f.state.project.gas.table().upstream(3), 1);
        QCOMPARE(e.g.lungh(3)->text(), QStringLiteral("10"));
    }

    // Limits and the report option are the project's: typed here, kept in
    // the state; a bad limit is refused and the box shows the limit again.
    // The verdict follows the limits and the data window at once.
    void limitsTheReportOptionAndTheData() {
        VerifyFixture e;
        const auto type = [](QLineEdit* box, const char* text) {
            box->setText(QString::fromUtf8(text));
            box->setModified(true);
            emit box->editingFinished();
        };
        QLineEdit* metano = e.v.gas->limiti[0];
        type(metano, "0,1");
        QCOMPARE(e.f.state.project.extension().gasLimits.metano, 0.1);
        QVERIFY(e.v.gas->esito->text().startsWith(QStringLiteral("La rete gas supera il limite "
                                                                 "di 0,1 mbar")));
        type(metano, "zero");
        QCOMPARE(e.f.state.project.extension().gasLimits.metano, 0.1);
        QCOMPARE(metano->text(), QStringLiteral("0,1"));
        QCOMPARE(e.f.services.messages.shown.size(), size_t(1));
        QLineEdit* head = e.v.acqua->limiti[1];
        type(head, "12.5");
        QCOMPARE(e.f.state.project.extension().waterLimits.head, std::optional<double>(12.5));
        QCOMPARE(head->text(), QStringLiteral("12,5"));
        e.v.includi->setChecked(true);
        QVERIFY(e.f.state.project.extension().reportVerification);

        QCOMPARE(e.critical(), 2);
        e.g.lungh(3)->end(false);
        QTest::keyClick(e.g.lungh(3), Qt::Key_0); // row 3: 10 m becomes 100 m
        QCOMPARE(e.critical(), 3);
        QVERIFY(e.v.gas->esito->text().contains(QStringLiteral("percorso critico 1-3")));
    }

    // A network that fails its data check (an empty row inserted inside
    // it) shows why, and neither paths nor a critical path nor distances
    // from the source of the data it refuses; the undo brings them back.
    void refusedDataShowNoPaths() {
        VerifyFixture e;
        QCOMPARE(e.v.gas->paths->rowCount(), 2);
        e.g.editing().insertRowAt(2);
        QVERIFY(!e.f.state.project.gasVerification().dataPassed);
        QVERIFY(
            e.v.gas->esito->text().startsWith(QStringLiteral("La rete gas non è verificabile: ")));
        QCOMPARE(e.v.gas->paths->rowCount(), 0);
        QCOMPARE(e.critical(), 0);
        const SegmentModel& segments = *e.v.gas->segments;
        for (int r = 0; r < segments.rowCount(); ++r) {
            QVERIFY(!segments.data(segments.index(r, 0), Qt::BackgroundRole).isValid());
            QCOMPARE(segments.data(segments.index(r, segments.columnCount() - 1), Qt::DisplayRole)
                         .toString(),
                     QString());
        }
        e.g.editing().undo();
        QCOMPARE(e.v.gas->paths->rowCount(), 2);
        QCOMPARE(e.critical(), 2);
    }

    // Dimensiona, then Applica: the gas window shows the sizes proposed,
    // and one Ctrl+Z there takes them back. A limit no size can meet is
    // told and nothing can be applied.
    void sizingIsAppliedAsOneStep() {
        VerifyFixture e;
        const GasSegmentTable before = e.f.state.project.gas.table();
        SizingPanel& sizing = *e.v.gas->sizing;
        sizing.dimensiona->click();
        QVERIFY(!sizing.proposta->isHidden());
        QVERIFY(sizing.applica->isEnabled());
        e.f.state.session.modified = false;
        sizing.applica->click();
        QVERIFY(!(e.f.state.project.gas.table() == before));
        QVERIFY(e.f.state.session.modified);
        QCOMPARE(e.g.tipofi(1)->currentText(),
                 e.f.state.project.gas.at(1, GasColumn::tipofi).displayText());
        QVERIFY(sizing.proposta->isHidden()); // the project changed: no proposal is left
        QVERIFY(e.v.gas->esito->text().startsWith(QStringLiteral("La rete gas rispetta")));
        QTest::keyClick(e.g.lungh(1), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(e.f.state.project.gas.table(), before);

        // 150 m³/h through 300 m: over 1 mbar even in 6'' pipe.
        e.f.state.project.gas.TypeGasCell(1, GasColumn::lungh, QStringLiteral("300"));
        e.f.state.project.gas.TypeGasCell(1, GasColumn::portgas, QStringLiteral("150"));
        const GasSegmentTable unsized = e.f.state.project.gas.table();
        sizing.dimensiona->click();
        QVERIFY(!sizing.applica->isEnabled());
        QCOMPARE(e.f.services.messages.shown.size(), size_t(1));
        QCOMPARE(e.f.services.messages.shown[0].text, SizeGasNetwork(e.f.state.project).message);
        QCOMPARE(sizing.propostaEsito->text(), e.f.services.messages.shown[0].text);
        QCOMPARE(e.f.state.project.gas.table(), unsized);
    }

    // Every part of the window shows at its smallest size, and a proposal
    // takes its room from the window, not from the tables: at the opening
    // size, after Dimensiona, both tables still show five rows.
    void everyPartShowsAtTheSmallestSize() {
        ShellFixture f;
        StoreWaterNetwork(f.state, std::vector<WaterSegment>(15));
        verifica& v = f.forms.show<verifica>();
        NetworkPanel& water = *v.acqua;
        const auto fiveRows = [](QTableView* table) {
            return table->viewport()->height() >= 5 * table->verticalHeader()->defaultSectionSize();
        };
        const auto check = [&](const char* when) {
            QTest::qWait(20);
            QVERIFY2(fiveRows(water.tronchi), when);
            QVERIFY2(fiveRows(water.percorsi), when);
            QComboBox* serie = water.sizing->serie;
            QVERIFY2(serie->width() >= serie->minimumSizeHint().width(), when);
            QVERIFY2(serie->width() > serie->fontMetrics().horizontalAdvance(serie->currentText()),
                     when);
            // The proposal's table: four rows, less its scroll bar.
            QTableView* proposed = water.sizing->propostaTable;
            if (!water.sizing->proposta->isHidden())
                QVERIFY2(proposed->viewport()->height() >=
                             3 * proposed->verticalHeader()->defaultSectionSize(),
                         when);
        };
        check("all'apertura");
        water.sizing->dimensiona->click();
        check("con la proposta");
        v.resize(1, 1);
        check("rimpicciolita con la proposta");
        water.sizing->scarta->click();
        v.resize(1, 1);
        check("rimpicciolita");
    }

    // A series of the user's, added in the editor, is offered and chosen
    // for the project.
    void theUsersSeries() {
        QTemporaryDir dir;
        ShellFixture f;
        verifica v(f.context);
        v.seriesFile = dir.filePath(QStringLiteral("serie-acqua.ini"));
        SeriesEditor editor(f.context, v.seriesFile);
        editor.nome->setText(QStringLiteral("PE 100"));
        editor.diametri->setText(QStringLiteral("16,2; 20,4"));
        editor.prezzi->setText(QStringLiteral("2,10; 2.8 €"));
        QVERIFY(!editor.salva_Click());
        QVERIFY(f.services.messages.shown.back().text.startsWith(
            QStringLiteral("«2.8 €» non è un prezzo")));
        editor.prezzi->setText(QStringLiteral("2,10; 2,80"));
        QVERIFY(editor.salva_Click());
        QCOMPARE(editor.userSeries().back().prices, (std::vector<double>{2.1, 2.8}));
        editor.nuova_Click();
        editor.nome->setText(QStringLiteral("rame"));
        editor.diametri->setText(QStringLiteral("10; 12"));
        QVERIFY(!editor.salva_Click());
        QCOMPARE(f.services.messages.shown.back().text,
                 QStringLiteral("Esiste già una serie di nome «rame»."));
        v.Form_Load();
        QComboBox* serie = v.acqua->sizing->serie;
        QCOMPARE(serie->count(), 4);
        QCOMPARE(serie->currentText(), DefaultWaterSeriesName());
        v.serie_Choose(QStringLiteral("PE 100"));
        QCOMPARE(f.state.project.extension().waterSeries, QStringLiteral("PE 100"));
        QCOMPARE(serie->currentText(), QStringLiteral("PE 100"));
        v.Form_Unload();
    }
};

TUBAREX_QT_TEST(verifica_Test)
#include "verificaTest.moc"
