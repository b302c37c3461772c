#include "windows/help/prodotti.h"

#include "windows/frame/DesignFont.h"
#include "windows/frame/Forms.h"
#include "windows/frame/WindowNames.h"

#include <QDesktopServices>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QUrl>

prodotti::prodotti(AppContext& context, QWidget* parent)
    : Form(context, parent) {
    setWindowTitle(QStringLiteral("Tubarex: altri prodotti Software Solariva"));
    setFont(DesignFont());
    setDesignedInnerSize(9480, 6420);

    const auto place = [this](QWidget* w, const char* name, int left, int top, int width,
                              int height) {
        w->setObjectName(QString::fromLatin1(name));
        w->setGeometry(twipsX(left), twipsY(top), twipsX(width), twipsY(height));
    };

    Label1 = new QLabel(QStringLiteral("Altri prodotti Software Solariva"), this);
    place(Label1, "Label1", 240, 240, 9000, 375);
    QFont heading = DesignFont();
    heading.setPointSize(12);
    heading.setBold(true);
    Label1->setFont(heading);

    elenco = new QTableWidget(0, 4, this);
    place(elenco, "elenco", 240, 840, 9000, 4800);
    elenco->setHorizontalHeaderLabels({QStringLiteral("Programma"), QStringLiteral("Descrizione"),
                                       QStringLiteral("Prezzo"), QStringLiteral("Sito internet")});
    elenco->setEditTriggers(QAbstractItemView::NoEditTriggers);
    elenco->setSelectionBehavior(QAbstractItemView::SelectRows);
    elenco->setSelectionMode(QAbstractItemView::SingleSelection);
    elenco->verticalHeader()->setVisible(false);
    elenco->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    elenco->setToolTip(QStringLiteral("doppio clic per aprire la pagina del prodotto"));
    connect(elenco, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { elenco_DblClick(row); });

    Label2 = new QLabel(this);
    place(Label2, "Label2", 240, 5880, 6375, 375);
    Label2->setTextFormat(Qt::PlainText);

    cmdSommario = new QPushButton(QStringLiteral("&Sommario"), this);
    place(cmdSommario, "cmdSommario", 6840, 5880, 1215, 375);
    cmdSommario->setToolTip(QStringLiteral("cliccare per tornare al sommario"));
    cmdChiudi = new QPushButton(QStringLiteral("&Chiudi"), this);
    place(cmdChiudi, "cmdChiudi", 8040, 5880, 1215, 375);
    cmdChiudi->setToolTip(QStringLiteral("cliccare per chiudere la finestra"));
    connect(cmdSommario, &QPushButton::clicked, this, &prodotti::cmdSommario_Click);
    connect(cmdChiudi, &QPushButton::clicked, this, &prodotti::cmdChiudi_Click);
}

void prodotti::Form_Load() {
    startResizer(9600, 6825);
    ShowProducts(LoadProductList(InstallationSettingsCandidates()));
}

void prodotti::ShowProducts(const std::vector<ProductEntry>& products) {
    m_products = products;
    elenco->setRowCount(static_cast<int>(products.size()));
    for (int row = 0; row < elenco->rowCount(); ++row) {
        const ProductEntry& p = products.at(static_cast<size_t>(row));
        const QString cells[] = {p.name, p.description, p.price, p.link};
        for (int column = 0; column < 4; ++column)
            elenco->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    elenco->resizeColumnToContents(0);
    elenco->resizeColumnToContents(2);
    elenco->resizeColumnToContents(3);
    Label2->setText(products.empty() ? QStringLiteral("Nessun prodotto è indicato nelle "
                                                      "impostazioni di questa installazione.")
                                     : QString());
}

void prodotti::elenco_DblClick(int row) {
    if (row < 0 || row >= static_cast<int>(m_products.size()))
        return;
    const QUrl url = QUrl::fromUserInput(m_products.at(static_cast<size_t>(row)).link);
    if (url.isValid() && !url.isEmpty())
        QDesktopServices::openUrl(url);
}

void prodotti::cmdSommario_Click() {
    m_ctx.forms.showByName(WindowName::sommario);
}

void prodotti::cmdChiudi_Click() {
    closeFromButton(Closing::Unloads);
}
