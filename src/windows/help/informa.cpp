#include "windows/help/informa.h"

#include "core/model/NumberText.h"
#include "core/session/ApplicationState.h"
#include "windows/frame/Line.h"
#include "windows/frame/ProgramIcon.h"

#include "windows/frame/DesignFont.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

QString YearText(const QString& date) {
    static const QRegularExpression digits(QStringLiteral("[0-9]+"));
    QString year;
    for (auto it = digits.globalMatch(date); it.hasNext();)
        year = it.next().captured();
    if (year.isEmpty())
        return QString();
    return SignedNumberText(ReadNumber(year));
}

QString EditionLine(const QString& version, const QString& date) {
    return QStringLiteral("edizione professionale - versione ") + version + QStringLiteral("  ") +
           YearText(date);
}

informa::informa(AppContext& context, QWidget* parent)
    : Form(context, parent) {
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFont(DesignFont());
    setFixedSize(twipsX(6975), twipsY(3735));

    const auto label = [this](const char* name, int left, int top, int width, int height,
                              Qt::Alignment alignment = Qt::AlignHCenter | Qt::AlignVCenter) {
        auto* control = new QLabel(this);
        control->setObjectName(QString::fromLatin1(name));
        control->setGeometry(twipsX(left), twipsY(top), twipsX(width), twipsY(height));
        control->setAlignment(alignment);
        control->setTextFormat(Qt::PlainText);
        return control;
    };
    const auto line = [this](const char* name, int y) {
        auto* control = new Line(this);
        control->setObjectName(QString::fromLatin1(name));
        control->setBorderColor(QColor(128, 128, 128));
        control->setEnds(twipsX(120), twipsY(y), twipsX(6855), twipsY(y));
        return control;
    };

    Label3 = label("Label3", 120, 0, 6615, 375);
    Label3->setText(QStringLiteral("software SOLARIVA"));
    QFont maker = Label3->font();
    maker.setBold(true);
    maker.setPointSizeF(maker.pointSizeF() * 1.3);
    Label3->setFont(maker);

    Label1 = label("Label1", 240, 360, 6495, 615);
    // The name stands in Arial Black; without that font the heaviest sans
    // serif face at hand takes its place.
    QFont name(QStringLiteral("Arial Black"));
    name.setStyleHint(QFont::SansSerif);
    name.setWeight(QFont::Black);
    name.setPointSize(20);
    Label1->setFont(name);

    Label2 = label("Label2", 240, 960, 6495, 255);

    Line1 = line("Line1", 1290);

    Image1 = label("Image1", 360, 1380, 480, 480);
    Image1->setPixmap(ProgramIconPicture(twipsX(480)));

    Label5 = label("Label5", 2400, 1440, 2175, 255);
    Label5->setText(QStringLiteral("per sistemi Windows a 32 bit "));
    Label6 = label("Label6", 1320, 1680, 4335, 255);

    Line2 = line("Line2", 2040);

    label7 = label("label7", 0, 2160, 6975, 255);
    label7->setText(
        QStringLiteral("(musica della sigla di apertura composta dagli sviluppatori di Tubarex)"));

    Line3 = line("Line3", 2520);

    Label4 = label("Label4", 240, 2640, 4695, 975, Qt::AlignLeft | Qt::AlignTop);
    Label4->setWordWrap(true);
    // The notice says what the licence window says: MIT, with its copyright
    // line, which copies must keep.
    Label4->setText(QString::fromUtf8(
        "Copyright (c) 2026 gli sviluppatori di Tubarex. Software libero con licenza MIT: "
        "si può usare, copiare, modificare e distribuire, mantenendo questo avviso."));
    QFont notice = Label4->font();
    notice.setPointSizeF(notice.pointSizeF() * 0.9);
    Label4->setFont(notice);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsX(5160), twipsY(3120), twipsX(1575), twipsY(495));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &informa::cmdOK_Click);
}

void informa::Form_Load() {
    const ApplicationState& state = m_ctx.state;
    setWindowTitle(QStringLiteral("Informazioni su ") + state.program.ProgramName);
    Label1->setText(state.program.ProgramName);
    Label2->setText(state.program.ProgramSubtitle);
    Label6->setText(EditionLine(state.program.ProgramVersion, state.program.ProgramDate));
}

void informa::cmdOK_Click() {
    closeFromButton(Closing::Hides);
}
