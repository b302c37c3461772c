#include "HelpFixture.h"
#include "QtTestRegistry.h"

#include "core/session/InstallationSettings.h"
#include "windows/help/prodotti.h"
#include "windows/help/sommario.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString writeFile(const QTemporaryDir& dir, const char* name, const QByteArray& text) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(text);
    return path;
}

} // namespace

// The product list: what the installation settings name, and nothing else.
class prodotti_Test : public QObject {
    Q_OBJECT
private slots:
    void productsComeFromTheFirstSettingsFileFound() {
        QTemporaryDir dir;
        const QString first = writeFile(dir, "primo.ini",
                                        "[Owner]\nName=Studio\n"
                                        "[Products]\nsize=3\n"
                                        "1\\Name=Fognex\n1\\Description=\"reti di scarico, "
                                        "acque nere\"\n1\\Price=120 euro\n"
                                        "1\\Link=https://example.org/fognex\n"
                                        "2\\Name=\n2\\Description=senza nome\n"
                                        "3\\Name=Termex\n");
        const QString second = writeFile(dir, "secondo.ini", "[Products]\nsize=1\n1\\Name=Altro\n");
        const QString missing = dir.filePath(QStringLiteral("manca.ini"));
        const auto products = LoadProductList({missing, first, second});
        QCOMPARE(products.size(), std::size_t{2});
        QCOMPARE(products[0].name, QStringLiteral("Fognex"));
        QCOMPARE(products[0].description, QStringLiteral("reti di scarico, acque nere"));
        QCOMPARE(products[0].price, QStringLiteral("120 euro"));
        QCOMPARE(products[0].link, QStringLiteral("https://example.org/fognex"));
        QCOMPARE(products[1].name, QStringLiteral("Termex"));
        QVERIFY(products[1].link.isEmpty());
        // A settings file without the group lists nothing; so does no file.
        const QString ownerOnly = writeFile(dir, "owner.ini", "[Owner]\nName=Studio\n");
        QVERIFY(LoadProductList({ownerOnly, second}).empty());
        QVERIFY(LoadProductList({missing}).empty());
    }

    void windowListsTheProductsOrSaysThereAreNone() {
        HelpFixture f;
        sommario& s = f.forms.show<sommario>();
        s.puls(10)->click();
        auto* window = qobject_cast<prodotti*>(f.forms.find(QStringLiteral("prodotti")));
        QVERIFY(window && window->isVisible());
        window->ShowProducts({{QStringLiteral("Fognex"), QStringLiteral("scarichi"),
                               QStringLiteral("120 euro"), QStringLiteral("example.org")}});
        QCOMPARE(window->elenco->rowCount(), 1);
        QCOMPARE(window->elenco->item(0, 0)->text(), QStringLiteral("Fognex"));
        QCOMPARE(window->elenco->item(0, 2)->text(), QStringLiteral("120 euro"));
        QCOMPARE(window->elenco->item(0, 3)->text(), QStringLiteral("example.org"));
        QVERIFY(window->Label2->text().isEmpty());
        window->ShowProducts({});
        QCOMPARE(window->elenco->rowCount(), 0);
        QVERIFY(!window->Label2->text().isEmpty());
        window->cmdChiudi->click();
        QVERIFY(!f.forms.isLoaded(QStringLiteral("prodotti")));
    }
};

TUBAREX_QT_TEST(prodotti_Test)

#include "prodottiTest.moc"
