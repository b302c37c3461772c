#include "NetworkRows.h"
#include "QtTestRegistry.h"
#include "ShellFixture.h"

#include "windows/verify/FlowCatalogueEditor.h"
#include "windows/verify/portate.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The window over two water segments in a row (1 feeds 2) and two gas
// segments, the second without its gas; no catalogue of the user's.
struct FlowsFixture {
    QTemporaryDir dir;
    ShellFixture f;
    portate& w = open();

    portate& open() {
        StoreWaterNetwork(f.state, {{20, 26, 1}, {10, 16.1, 0.3}});
        StoreGasNetwork(f.state, {{}, {.gas = ""}});
        portate& p = f.forms.get<portate>();
        p.catalogueFile = dir.filePath(QStringLiteral("utenze-acqua.ini"));
        p.Form_Load();
        return p;
    }
    ~FlowsFixture() { f.forms.unload(&w); }

    void addWater(int segment, const QString& type, int count) {
        w.acqua->tronco->setValue(segment);
        w.acqua->tipo->setCurrentIndex(w.acqua->tipo->findData(type));
        w.acqua->numero->setValue(count);
        QVERIFY(w.aggiungi_Click(NetworkKind::Water));
    }
    QString flowShown(FlowsPanel& p, int line, int column) const {
        return p.portate->item(line, column)->text();
    }
    const auto& messages() const { return f.services.messages.shown; }
};

} // namespace

class portate_Test : public QObject {
    Q_OBJECT
private slots:
    // Utenze added here are steps of the data window's undo; the design
    // flows follow at once, the flows typed otherwise are named, and
    // "Applica le portate" writes them as one more step.
    void utenzeGiveTheFlowsAndApplyIsOneUndoStep() {
        FlowsFixture e;
        e.f.state.session.modified = false;
        e.addWater(2, QStringLiteral("doccia"), 2);
        QVERIFY(FindFixtureType(e.f.state.project.extension().waterFlows.types,
                                QStringLiteral("doccia")));
        QCOMPARE(e.w.acqua->utenze->rowCount(), 1);
        QCOMPARE(e.w.acqua->portate->rowCount(), 2);
        QCOMPARE(e.flowShown(*e.w.acqua, 1, 2), QStringLiteral("0,4"));
        QVERIFY(e.w.acqua->esito->text().contains(
            QStringLiteral("Le portate dei tronchi 1, 2 non corrispondono alle utenze")));
        QVERIFY(e.f.state.session.modified);

        QVERIFY(e.w.applica_Click(NetworkKind::Water));
        QCOMPARE(e.f.state.project.water.at(1, WaterColumn::port).value(), 0.4);
        QCOMPARE(e.f.state.project.water.at(2, WaterColumn::port).value(), 0.4);
        QVERIFY(!e.w.acqua->applica->isEnabled());
        QVERIFY(e.w.acqua->esito->text().contains(QStringLiteral("corrispondono alle utenze.")));

        e.w.undo(); // the flows
        QCOMPARE(e.f.state.project.water.at(2, WaterColumn::port).value(), 0.3);
        QCOMPARE(e.w.acqua->utenze->rowCount(), 1);
        e.w.undo(); // the utenza
        QCOMPARE(e.w.acqua->utenze->rowCount(), 0);
        QVERIFY(e.w.acqua->esito->text().startsWith(QStringLiteral("La rete non ha utenze")));
    }

    // An utenza edited in its row moves to another segment or changes its
    // number; what does not read is refused with its reason and nothing
    // changes.
    void editsOfTheUtenzeAreCheckedAndBadOnesRefused() {
        FlowsFixture e;
        e.addWater(2, QStringLiteral("lavabo"), 1);
        QTableWidget& t = *e.w.acqua->utenze;
        t.item(0, 0)->setText(QStringLiteral("1"));
        QCOMPARE(WaterOutletsOf(e.f.state.project.water.at(1, WaterColumn::utenze)).size(),
                 size_t(1));
        QVERIFY(WaterOutletsOf(e.f.state.project.water.at(2, WaterColumn::utenze)).empty());
        // The move is one step over both segments.
        e.w.undo();
        QVERIFY(WaterOutletsOf(e.f.state.project.water.at(1, WaterColumn::utenze)).empty());
        QCOMPARE(t.item(0, 0)->text(), QStringLiteral("2"));
        e.w.redo();
        // Togli takes the utenza chosen away, as a step Ctrl+Z undoes.
        t.selectRow(0);
        QVERIFY(e.w.togli_Click(NetworkKind::Water));
        QCOMPARE(t.rowCount(), 0);
        e.w.undo();
        QCOMPARE(t.rowCount(), 1);
        QCOMPARE(t.item(0, 0)->text(), QStringLiteral("1"));
        const WaterTable before = e.f.state.project.water.table();
        const struct {
            int column;
            const char* text;
            const char* reason;
        } bad[] = {{0, "7", "non è un tronco della rete"},
                   {2, "0", "non è un numero di utenze"},
                   {1, "fontana", "non è tra quelli del progetto"}};
        for (const auto& b : bad) {
            t.item(0, b.column)->setText(QString::fromUtf8(b.text));
            QVERIFY2(e.messages().back().text.contains(QString::fromUtf8(b.reason)), b.text);
            QCOMPARE(e.f.state.project.water.table(), before);
        }

        e.w.reti->setCurrentWidget(e.w.gas);
        e.w.gas->tronco->setValue(2);
        e.w.gas->apparecchio->setText(QStringLiteral("caldaia"));
        e.w.gas->potenza->setText(QStringLiteral("ventiquattro"));
        QVERIFY(!e.w.aggiungi_Click(NetworkKind::Gas));
        QVERIFY(e.messages().back().text.contains(QStringLiteral("in kW")));
        e.w.gas->potenza->setText(QStringLiteral("24"));
        QVERIFY(e.w.aggiungi_Click(NetworkKind::Gas));
        // Segment 2 has no gas: its flow cannot be computed, and the
        // verdict says why.
        QVERIFY2(e.w.gas->esito->text().contains(QStringLiteral(
                     "Non tutte le portate si calcolano: il tronco 2 non ha il tipo di gas.")),
                 qPrintable(e.w.gas->esito->text()));
    }

    // A network that fails its input check takes no flows: the check's
    // message says why and the table stays as it is.
    void applyIsRefusedWhileTheDataFailTheirCheck() {
        FlowsFixture e;
        e.addWater(2, QStringLiteral("doccia"), 1);
        e.f.state.project.water.StoreWaterCell(1, WaterColumn::diam, QString());
        const WaterTable before = e.f.state.project.water.table();
        QVERIFY(!e.w.applica_Click(NetworkKind::Water));
        QCOMPARE(e.messages().back().text, e.f.state.project.waterVerification().dataMessage);
        QCOMPARE(e.f.state.project.water.table(), before);
    }

    // The method chosen becomes the project's and the flows follow it; a
    // curve whose points do not read is refused; a gas simultaneity too.
    void methodAndSimultaneityAreTheProjects() {
        FlowsFixture e;
        e.addWater(2, QStringLiteral("doccia"), 2);
        e.w.acqua->metodo->setCurrentIndex(
            e.w.acqua->metodo->findData(static_cast<int>(WaterFlowMethod::Din)));
        e.w.metodo_Change();
        QCOMPARE(e.f.state.project.extension().waterFlows.building, QStringLiteral("abitazioni"));
        QVERIFY2(e.w.acqua->esito->text().startsWith(
                     QStringLiteral("Metodo: DIN 1988-300, abitazioni, residenze")),
                 qPrintable(e.w.acqua->esito->text()));
        e.w.acqua->metodo->setCurrentIndex(
            e.w.acqua->metodo->findData(static_cast<int>(WaterFlowMethod::Curve)));
        e.w.acqua->punti->setText(QStringLiteral("10 0,5; 1"));
        e.w.metodo_Change();
        QVERIFY(e.messages().back().text.contains(QStringLiteral("non è un punto")));
        QCOMPARE(e.f.state.project.extension().waterFlows.method, WaterFlowMethod::Din);

        e.w.gas->contemporaneita->setText(QStringLiteral("2 0,8; 5 0,6"));
        e.w.contemporaneita_Change();
        QCOMPARE(e.f.state.project.extension().gasFlows.simultaneity,
                 (std::vector<SimultaneityStep>{{2, 0.8}, {5, 0.6}}));
        e.w.gas->contemporaneita->setText(QStringLiteral("5 0,6; 2 0,8"));
        e.w.contemporaneita_Change();
        QVERIFY(e.messages().back().text.contains(QStringLiteral("deve crescere")));
        QCOMPARE(e.f.state.project.extension().gasFlows.simultaneity.size(), size_t(2));
    }

    // The user's own types and curves: checked, written at once and
    // offered by the window; a curve used becomes the project's method.
    void ownTypesAndCurvesAreKeptAndUsed() {
        FlowsFixture e;
        FlowCatalogueEditor editor(e.f.context, e.w.catalogueFile);
        editor.nome->setText(QStringLiteral("fontanella"));
        editor.portata->setText(QStringLiteral("zero"));
        QVERIFY(!editor.salvaTipo_Click());
        QVERIFY(e.messages().back().text.contains(QStringLiteral("non è una portata")));
        editor.portata->setText(QStringLiteral("0,12"));
        QVERIFY(editor.salvaTipo_Click());
        editor.nomeCurva->setText(QStringLiteral("curva dello studio"));
        editor.punti->setText(QStringLiteral("1 0,1; 10 0,6; 100 2,5"));
        QVERIFY(editor.salvaCurva_Click());
        const UserFlowCatalogue saved = LoadUserFlowCatalogue(e.w.catalogueFile);
        QCOMPARE(saved.types.at(0).flowLs, 0.12);
        QCOMPARE(saved.curves.at(0).points.size(), size_t(3));
        // The type chosen is corrected in its place, under its own name too.
        editor.tipi->setCurrentRow(0);
        editor.portata->setText(QStringLiteral("0,15"));
        QVERIFY(editor.salvaTipo_Click());
        QCOMPARE(LoadUserFlowCatalogue(e.w.catalogueFile).types,
                 (std::vector<FixtureType>{{QStringLiteral("fontanella"), 0.15, 0, {}}}));
        editor.portata->setText(QStringLiteral("0,12"));
        QVERIFY(editor.salvaTipo_Click());

        e.w.Form_Load();
        e.w.acqua->catalogo->setCurrentIndex(
            e.w.acqua->catalogo->findText(QStringLiteral("tipi propri")));
        emit e.w.acqua->catalogo->activated(e.w.acqua->catalogo->currentIndex());
        e.addWater(1, QStringLiteral("fontanella"), 1);
        QCOMPARE(e.f.state.project.waterDesignFlows().row(1).flow.value_or(0), 0.12);

        bool used = false;
        editor.curveUsed = [&](const FlowCurve& c) { used = c.name == u"curva dello studio"; };
        editor.curve->setCurrentRow(0);
        editor.usa->click();
        QVERIFY(used);
        QVERIFY(editor.eliminaCurva_Click());
        QVERIFY(LoadUserFlowCatalogue(e.w.catalogueFile).curves.empty());
        QCOMPARE(LoadUserFlowCatalogue(e.w.catalogueFile).types.size(), size_t(1));
    }
};

TUBAREX_QT_TEST(portate_Test)
#include "portateTest.moc"
