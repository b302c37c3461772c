#include "windows/verify/SeriesEditor.h"

#include "core/session/ApplicationState.h"
#include "core/session/UserSeries.h"
#include "windows/frame/Form.h"
#include "windows/frame/Forms.h"
#include "windows/frame/HelpKey.h"
#include "windows/frame/Services.h"
#include "windows/frame/WindowNames.h"

#include <QFont>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

SeriesEditor::SeriesEditor(AppContext& context, QString file, QWidget* parent)
    : QDialog(parent)
    , m_ctx(context)
    , m_file(std::move(file))
    , m_user(LoadUserSeries(m_file)) {
    setObjectName(QStringLiteral("SeriesEditor"));
    setWindowTitle(QStringLiteral("Serie di tubi per l'acqua"));

    elenco = new QListWidget(this);
    elenco->setObjectName(QStringLiteral("elenco"));
    nome = new QLineEdit(this);
    nome->setObjectName(QStringLiteral("nome"));
    diametri = new QLineEdit(this);
    diametri->setObjectName(QStringLiteral("diametri"));
    diametri->setToolTip(QStringLiteral("diametri interni in millimetri, separati da punto e "
                                        "virgola (per esempio 16,2; 20,4; 26)"));
    misure = new QLineEdit(this);
    misure->setObjectName(QStringLiteral("misure"));
    misure->setToolTip(QStringLiteral("facoltative: le misure commerciali, una per diametro, "
                                      "separate da punto e virgola (per esempio 20×1,9; 25×2,3; "
                                      "32×3)"));
    prezzi = new QLineEdit(this);
    prezzi->setObjectName(QStringLiteral("prezzi"));
    prezzi->setToolTip(QStringLiteral("facoltativi: i prezzi in euro al metro, uno per diametro, "
                                      "separati da punto e virgola (per esempio 2,10; 2,80; "
                                      "4,15); con i prezzi il dimensionamento cerca il costo "
                                      "minimo"));
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&nome"), nome);
    fields->addRow(QStringLiteral("&diametri interni (mm)"), diametri);
    fields->addRow(QStringLiteral("&misure commerciali"), misure);
    fields->addRow(QStringLiteral("&prezzi (€/m)"), prezzi);

    const auto button = [this](const char* name, const QString& caption, const QString& tip) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        b->setAutoDefault(false);
        return b;
    };
    nuova = button("nuova", QStringLiteral("N&uova"),
                   QStringLiteral("cliccare per scrivere "
                                  "una serie nuova"));
    salva = button("salva", QStringLiteral("&Salva"),
                   QStringLiteral("cliccare per salvare la serie tra le proprie impostazioni"));
    elimina = button("elimina", QStringLiteral("&Elimina"),
                     QStringLiteral("cliccare per togliere la serie scelta"));
    chiudi = button("chiudi", QStringLiteral("&Chiudi"),
                    QStringLiteral("cliccare per chiudere la finestra"));
    connect(nuova, &QPushButton::clicked, this, &SeriesEditor::nuova_Click);
    connect(salva, &QPushButton::clicked, this, &SeriesEditor::salva_Click);
    connect(elimina, &QPushButton::clicked, this, &SeriesEditor::elimina_Click);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);
    connect(elenco, &QListWidget::currentRowChanged, this, &SeriesEditor::elenco_Select);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {nuova, salva, elimina})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(chiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Le serie fornite con il programma non si "
                                                "cambiano; le proprie si aggiungono, si "
                                                "correggono e si tolgono qui."),
                                 this));
    layout->addWidget(elenco, 1);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    fillList(QString());
    nuova_Click();
    AddHelpKey(*this, context.forms, WindowName::guidaserie);
}

const PipeSeries* SeriesEditor::seriesAt(int row) const {
    const auto shipped = static_cast<int>(ShippedWaterSeries().size());
    if (row >= 0 && row < shipped)
        return &ShippedWaterSeries()[static_cast<size_t>(row)];
    const int user = userIndex(row);
    return user >= 0 ? &m_user[static_cast<size_t>(user)] : nullptr;
}

int SeriesEditor::userIndex(int row) const {
    const int index = row - static_cast<int>(ShippedWaterSeries().size());
    return index >= 0 && index < static_cast<int>(m_user.size()) ? index : -1;
}

void SeriesEditor::fillList(const QString& selected) {
    const QSignalBlocker block(elenco);
    elenco->clear();
    int current = -1;
    for (int row = 0; const PipeSeries* s = seriesAt(row); ++row) {
        auto* item = new QListWidgetItem(
            s->shipped ? s->name + QStringLiteral(" (fornita con il programma)") : s->name, elenco);
        if (s->shipped) {
            QFont italic = item->font();
            italic.setItalic(true);
            item->setFont(italic);
        }
        if (s->name == selected)
            current = row;
    }
    elenco->setCurrentRow(current);
}

void SeriesEditor::elenco_Select(int row) {
    const PipeSeries* s = seriesAt(row);
    if (!s)
        return;
    nome->setText(s->name);
    diametri->setText(DiametersText(*s));
    misure->setText(LabelsText(*s));
    prezzi->setText(PricesText(*s));
    for (QLineEdit* box : {nome, diametri, misure, prezzi})
        box->setReadOnly(s->shipped);
    salva->setEnabled(!s->shipped);
    elimina->setEnabled(!s->shipped);
}

void SeriesEditor::nuova_Click() {
    const QSignalBlocker block(elenco);
    elenco->setCurrentRow(-1);
    for (QLineEdit* box : {nome, diametri, misure, prezzi}) {
        box->clear();
        box->setReadOnly(false);
    }
    salva->setEnabled(true);
    elimina->setEnabled(false);
    nome->setFocus();
}

bool SeriesEditor::write(const std::vector<PipeSeries>& series) {
    const Result<> saved = SaveUserSeries(m_file, series);
    if (!saved) {
        m_ctx.services.messages.MsgBox(saved.error(), MsgButtons::Ok, NoticeIcon::Critical,
                                       m_ctx.state.program.CheckTitle, this);
        return false;
    }
    m_user = series;
    return true;
}

bool SeriesEditor::salva_Click() {
    // The series edited is checked against all the others.
    const int editing = userIndex(elenco->currentRow());
    std::vector<PipeSeries> others = ShippedWaterSeries();
    for (int i = 0; i < static_cast<int>(m_user.size()); ++i) {
        if (i != editing)
            others.push_back(m_user[static_cast<size_t>(i)]);
    }
    const Result<PipeSeries> read =
        ReadSeries(nome->text(), diametri->text(), misure->text(), prezzi->text(), others);
    if (!read) {
        m_ctx.services.messages.MsgBox(read.error(), MsgButtons::Ok, NoticeIcon::Critical,
                                       m_ctx.state.program.CheckTitle, this);
        return false;
    }
    std::vector<PipeSeries> series = m_user;
    const PipeSeries& saved = read.value();
    if (editing >= 0)
        series[static_cast<size_t>(editing)] = saved;
    else
        series.push_back(saved);
    if (!write(series))
        return false;
    fillList(saved.name);
    elenco_Select(elenco->currentRow());
    return true;
}

bool SeriesEditor::elimina_Click() {
    const int index = userIndex(elenco->currentRow());
    if (index < 0)
        return false;
    const QString name = m_user[static_cast<size_t>(index)].name;
    const MsgAnswer answer = m_ctx.services.messages.MsgBox(
        QStringLiteral("Togliere la serie «%1»? I progetti che la usano la troveranno non "
                       "disponibile.")
            .arg(name),
        MsgButtons::YesNo, NoticeIcon::Question, m_ctx.state.program.HelpTitle, this);
    if (answer == MsgAnswer::No)
        return false;
    std::vector<PipeSeries> series = m_user;
    series.erase(series.begin() + index);
    if (!write(series))
        return false;
    fillList(QString());
    nuova_Click();
    return true;
}
