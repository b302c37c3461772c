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

#include <cmath>

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

// The verification window over a water riser fed from the source: 1, 2
// and 3 in series, 4 from 2 (terminals 3 and 4).
struct WaterFixture {
    ShellFixture f;
    verifica& v =
        (StoreWaterNetwork(f.state, {{.length = 10, .diameter = 30, .flow = 0.5},
                                     {.length = 10, .diameter = 30, .flow = 0.5},
                                     {.length = 10, .diameter = 30, .flow = 0.3},
                                     {.length = 10, .diameter = 30, .flow = 0.2, .upstream = 2}}),
         f.forms.get<verifica>());

    ~WaterFixture() { f.forms.unload(&v); }

    const NetworkVerification& verification() const { return f.state.project.waterVerification(); }
    // A box of the limits typed and left.
    void type(int box, const QString& text) {
        QLineEdit* edit = v.acqua->limiti[static_cast<size_t>(box)];
        edit->setText(text);
        edit->setModified(true);
        emit edit->editingFinished();
    }
    QString pathText(int terminal, PathModel::Field field) const {
        const PathModel& paths = *v.acqua->paths;
        for (int r = 0; r < paths.rowCount(); ++r) {
            if (paths.data(paths.index(r, 0), Qt::DisplayRole).toInt() == terminal)
                return paths.data(paths.index(r, paths.column(field)), Qt::DisplayRole).toString();
        }
        return {};
    }
};

// A path's total from the source, by its terminal.
double pathTotal(const NetworkVerification& v, int terminal) {
    for (const VerifiedPath& p : v.paths) {
        if (p.terminal == terminal)
            return p.total;
    }
    return -1;
}

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

    // A rise or a concentrated loss typed in the segments' table is a step
    // of the data window's undo, the same cell typed again another one; the
    // verification follows. A refused text says why, naming the segment,
    // and changes nothing.
    void risesAndConcentratedLossesTypedInTheSegments() {
        struct Case {
            NetworkKind kind;
            SegmentModel::Field field;
            int row;
            const char* first;
            const char* second;
            int column;          // of the network's table
            double value;        // the second text's
            const char* refusal; // the message's start, for a refused second text
        };
        const Case cases[] = {
            {NetworkKind::Water, SegmentModel::Rise, 3, "3", "6,5", WaterColumn::disl, 6.5, ""},
            {NetworkKind::Water, SegmentModel::Rise, 3, "3", "-3", WaterColumn::disl, -3, ""},
            {NetworkKind::Water, SegmentModel::Concentrated, 1, "2", "2.5", WaterColumn::pconc, 2.5,
             ""},
            {NetworkKind::Water, SegmentModel::Concentrated, 1, "2", "-1", WaterColumn::pconc, 2,
             "Tronco n. 1: la perdita concentrata"},
            {NetworkKind::Water, SegmentModel::Rise, 3, "3", "tre", WaterColumn::disl, 3,
             "Tronco n. 3: il dislivello"},
            {NetworkKind::Gas, SegmentModel::Rise, 2, "-10", "-20", GasColumn::disl, -20, ""},
            {NetworkKind::Gas, SegmentModel::Concentrated, 3, "0,3", "0,5", GasColumn::pconc, 0.5,
             ""},
            {NetworkKind::Gas, SegmentModel::Concentrated, 3, "0,3", "-0,5", GasColumn::pconc, 0.3,
             "Tronco n. 3: la perdita concentrata"},
        };
        for (const Case& c : cases) {
            const bool water = c.kind == NetworkKind::Water;
            WaterFixture w;
            StoreGasNetwork(w.f.state, GasTree({0, 1, 1}));
            ApplicationState& s = w.f.state;
            w.v.reti->setCurrentWidget(water ? w.v.acqua : w.v.gas);
            SegmentModel& segments = *(water ? w.v.acqua : w.v.gas)->segments;
            const auto cell = [&] {
                const Cell& at =
                    water ? s.project.water.at(c.row, c.column) : s.project.gas.at(c.row, c.column);
                return at.isEmpty() ? std::optional<double>() : std::optional<double>(at.value());
            };
            const auto verification = [&]() -> const NetworkVerification& {
                return water ? s.project.waterVerification() : s.project.gasVerification();
            };
            const int terminal = water ? 3 : c.row;
            const double before = pathTotal(verification(), terminal);
            const auto typeCell = [&](const char* text) {
                return segments.setData(segments.index(c.row - 1, segments.column(c.field)),
                                        QString::fromUtf8(text), Qt::EditRole);
            };
            int changes = 0;
            s.session.listeners.add(
                [&](ProjectEvent event) { changes += event == ProjectEvent::Changed; });
            QVERIFY(typeCell(c.first));
            QCOMPARE(changes, 1);
            const double first = pathTotal(verification(), terminal);
            QVERIFY2(first != before, c.first);
            const bool refused = *c.refusal != 0;
            QCOMPARE(typeCell(c.second), !refused);
            QCOMPARE(cell(), std::optional<double>(c.value));
            if (refused) {
                QCOMPARE(w.f.services.messages.shown.size(), size_t(1));
                QVERIFY2(
                    w.f.services.messages.shown[0].text.startsWith(QString::fromUtf8(c.refusal)),
                    qPrintable(w.f.services.messages.shown[0].text));
                QCOMPARE(changes, 1);
            } else {
                QCOMPARE(
                    segments
                        .data(segments.index(c.row - 1, segments.column(c.field)), Qt::DisplayRole)
                        .toString(),
                    QString::fromUtf8(c.second).replace(u'.', u','));
                // The same cell typed again: its own step.
                w.v.undo();
                QCOMPARE(pathTotal(verification(), terminal), first);
            }
            w.v.undo();
            QCOMPARE(cell(), std::optional<double>());
            QCOMPARE(pathTotal(verification(), terminal), before);
        }
    }

    // With the pressure at the source, every outlet's residual pressure and
    // margin; a terminal's own least pressure typed in the paths' table (a
    // step of the undo, empty for the project's) fails the path, its
    // verdict saying why. A pressure box is applied, empty where it may be,
    // or refused and shown again.
    void pressuresAtTheSourceAndTheTerminals() {
        WaterFixture w;
        ApplicationState& s = w.f.state;
        PathModel& paths = *w.v.acqua->paths;
        QCOMPARE(paths.column(PathModel::Residual), -1);
        struct Box {
            int box;
            const char* text;
            const char* shown; // the box's text after; the previous one when refused
            bool refused;
        };
        const Box boxes[] = {
            {NetworkPanel::Source, "300", "300", false},
            {NetworkPanel::Source, "-5", "300", true},
            {NetworkPanel::Minimum, "120.5", "120,5", false},
            {NetworkPanel::Minimum, "", "100", false},
            {NetworkPanel::Static, "0", "", true},
            {NetworkPanel::Static, "520", "520", false},
            {NetworkPanel::StaticLimit, "cinquecento", "500", true},
        };
        for (const Box& b : boxes) {
            const size_t messages = w.f.services.messages.shown.size();
            w.type(b.box, QString::fromUtf8(b.text));
            QCOMPARE(w.v.acqua->limiti[static_cast<size_t>(b.box)]->text(),
                     QString::fromUtf8(b.shown));
            QCOMPARE(w.f.services.messages.shown.size(), messages + (b.refused ? 1 : 0));
        }
        const WaterLimits& limits = s.project.extension().waterLimits;
        QCOMPARE(limits.sourceKPa, std::optional<double>(300));
        QCOMPARE(limits.minimumKPa, 100.0);
        QCOMPARE(limits.staticKPa, std::optional<double>(520));
        QCOMPARE(w.v.acqua->colonna->text(), QStringLiteral("= 30,6 m c.a."));
        // 520 kPa at rest over the limit of 500 at the outlets on the level
        // of the source: the warning under the verdict.
        QCOMPARE(w.v.acqua->avviso->text(), StaticWarningText(w.verification()));
        QVERIFY(!w.v.acqua->avviso->isHidden());
        w.type(NetworkPanel::StaticLimit, QStringLiteral("600"));
        QVERIFY(w.v.acqua->avviso->isHidden());

        // A copy: the verification is computed again by the change below.
        const VerifiedPath path = w.verification().paths.back();
        QCOMPARE(path.terminal, 4);
        QCOMPARE(w.pathText(4, PathModel::Residual), PressureText(*path.residual));
        QCOMPARE(w.pathText(4, PathModel::Verdict), QStringLiteral("rispettato"));
        const QString over = PressureText(std::ceil(*path.residual) + 10);
        const int row = 1; // terminal 4 is the second path
        QVERIFY(
            paths.setData(paths.index(row, paths.column(PathModel::Minimum)), over, Qt::EditRole));
        QCOMPARE(s.project.water.at(4, WaterColumn::pmin).value(), std::ceil(*path.residual) + 10);
        QCOMPARE(w.pathText(4, PathModel::Minimum), over);
        QCOMPARE(w.pathText(4, PathModel::Verdict),
                 QStringLiteral("superato: pressione residua %1 kPa < %2 kPa")
                     .arg(PressureText(*w.verification().paths.back().residual), over));
        QVERIFY(!paths.setData(paths.index(row, paths.column(PathModel::Minimum)),
                               QStringLiteral("0"), Qt::EditRole));
        QVERIFY(w.f.services.messages.shown.back().text.startsWith(
            QStringLiteral("Tronco n. 4: la pressione minima")));
        QVERIFY(paths.setData(paths.index(row, paths.column(PathModel::Minimum)), QString(),
                              Qt::EditRole));
        QVERIFY(s.project.water.at(4, WaterColumn::pmin).isEmpty());
        QCOMPARE(w.pathText(4, PathModel::Minimum), QStringLiteral("100"));
        w.v.undo();
        QCOMPARE(w.pathText(4, PathModel::Minimum), over);
        w.v.undo();
        QCOMPARE(w.pathText(4, PathModel::Verdict), QStringLiteral("rispettato"));
    }

    // The gas options are the project's and change the verdict: a path of
    // 0,12 mbar against the methane limit of 0,1 mbar, doubled with the
    // regulator; a descent of 20 m of methane counted as a loss, or not.
    void gasOptionsChangeTheVerdict() {
        struct Case {
            int effect; // index of the list
            bool regulator;
            const char* rise; // of segment 2
            bool passed;
        };
        const Case cases[] = {
            {0, false, "", false},  {0, true, "", true},   {0, true, "-20", false},
            {2, true, "-20", true}, {1, true, "20", true}, {0, true, "20", true},
        };
        for (const Case& c : cases) {
            VerifyFixture e;
            ApplicationState& s = e.f.state;
            e.v.reti->setCurrentWidget(e.v.gas);
            GasLimits limits = s.project.extension().gasLimits;
            limits.metano = 0.1;
            SetGasLimits(s, limits);
            NetworkPanel& gas = *e.v.gas;
            gas.dislivelli->setCurrentIndex(c.effect);
            emit gas.dislivelli->activated(c.effect);
            if (gas.regolatore->isChecked() != c.regulator)
                gas.regolatore->click();
            QCOMPARE(s.project.extension().gasLimits.regulator, c.regulator);
            QCOMPARE(HeightEffectName(s.project.extension().gasLimits.heightEffect),
                     gas.dislivelli->itemText(c.effect));
            SegmentModel& segments = *gas.segments;
            QVERIFY(segments.setData(segments.index(1, segments.column(SegmentModel::Rise)),
                                     QString::fromUtf8(c.rise), Qt::EditRole));
            QCOMPARE(s.project.gasVerification().passed, c.passed);
            QCOMPARE(gas.esito->text(), VerdictText(s.project.gasVerification()));
            const PathModel& paths = *gas.paths;
            const QString verdict =
                paths.data(paths.index(0, paths.column(PathModel::Verdict)), Qt::DisplayRole)
                    .toString();
            QVERIFY2(verdict.startsWith(c.passed ? QStringLiteral("rispettato")
                                                 : QStringLiteral("superato: perdita ")),
                     qPrintable(verdict));
        }
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
