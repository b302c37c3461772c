#include "windows/frame/WindowParts.h"
#include "windows/frame/WindowNames.h"

#include "core/model/Notice.h"
#include "core/session/ApplicationState.h"
#include "windows/frame/ClassicColour.h"
#include "windows/frame/Form.h"
#include "windows/frame/Forms.h"
#include "windows/frame/Services.h"
#include "windows/frame/ToolbarIcons.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

QLabel* MakeHintBox(Form& form, QWidget* area, const QRect& twips) {
    auto* passo = new QLabel(area);
    passo->setObjectName(QStringLiteral("passo"));
    passo->setToolTip(
        QStringLiteral("indicazioni sulla corretta procedura di immissione dei dati"));
    passo->setGeometry(form.twipsX(twips.x()), form.twipsY(twips.y()), form.twipsX(twips.width()),
                       form.twipsY(twips.height()));
    passo->setAutoFillBackground(true);
    SetWindowColour(passo, QColor(255, 255, 0));
    return passo;
}

void MakePrintOptions(Form& form, QWidget* area, const PrintOptionsPlace& place,
                      std::array<QRadioButton*, 2>& comestampo) {
    auto* options = new QGroupBox(QStringLiteral("Opzioni di stampa"), area);
    options->setObjectName(QStringLiteral("Frame1"));
    options->setGeometry(form.twipsX(place.frame.x()), form.twipsY(place.frame.y()),
                         form.twipsX(place.frame.width()), form.twipsY(place.frame.height()));
    const QString captions[] = {QStringLiteral("Stampa con Word"),
                                QStringLiteral("Stampa diretta")};
    for (int k = 1; k <= 2; ++k) {
        auto* option = new QRadioButton(captions[k - 1], options);
        option->setObjectName(QStringLiteral("comestampo(%1)").arg(k));
        option->setGeometry(form.twipsX(120),
                            form.twipsY(k == 1 ? place.firstTop : place.secondTop),
                            form.twipsX(place.optionWidth), form.twipsY(255));
        comestampo.at(static_cast<size_t>(k - 1)) = option;
    }
    comestampo[0]->setChecked(true);
}

QPushButton* MakeCommandButton(Form& form, QWidget* area, const char* name, const QString& caption,
                               const QString& hint, int left, int top) {
    auto* b = new QPushButton(caption, area);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    b->setGeometry(form.twipsX(left), form.twipsY(top), form.twipsX(1095), form.twipsY(375));
    return b;
}

DataWindowButtons MakeDataWindowButtons(Form& form, AppContext& context, QWidget* area,
                                        int escoLeft) {
    constexpr int Top = 5760;
    DataWindowButtons b;
    b.aiuto = MakeCommandButton(form, area, "aiuto", QStringLiteral("&AIUTO"),
                                QStringLiteral("cliccare per avere gli aiuti in linea"), 120, Top);
    b.guidainlinea = MakeCommandButton(
        form, area, "guidainlinea", QStringLiteral("&Guida in linea"),
        QStringLiteral("cliccare per visualizzare il Sommario della guida"), 1260, Top);
    b.stamp = MakeCommandButton(
        form, area, "stamp", QStringLiteral("&Stampa"),
        QStringLiteral("cliccare per stampare la tabella dei dati e dei risultati"), 7200, Top);
    b.esco = MakeCommandButton(form, area, "esco", QStringLiteral("&USCITA"),
                               QStringLiteral("cliccare per uscire da Tubarex"), escoLeft, Top);
    QObject::connect(b.guidainlinea, &QPushButton::clicked, &form,
                     [&context] { context.forms.showByName(WindowName::sommario); });
    QObject::connect(b.esco, &QPushButton::clicked, &form,
                     [&context, &form] { context.procedures.confirmExit(context, &form); });
    return b;
}

void ShowNotice(AppContext& context, QWidget* parent, const Notice& notice, QScrollBar* band,
                const std::function<QWidget*(int column, int line)>& box) {
    context.services.messages.MsgBox(notice.text, MsgButtons::Ok, notice.icon,
                                     context.state.program.CheckTitle, parent);
    if (band && notice.bandTop > 0)
        band->setValue(notice.bandTop);
    if (box && notice.line > 0 && notice.column > 0)
        if (QWidget* target = box(notice.column, notice.line))
            target->setFocus();
}

namespace {

bool shows(const QPalette& palette, QPalette::ColorRole role, const QColor& colour) {
    return palette.color(QPalette::Active, role) == colour &&
           palette.color(QPalette::Inactive, role) == colour &&
           palette.color(QPalette::Disabled, role) == colour;
}

// Sets a background role in every state (active, inactive, disabled), and
// the text role drawn on it to the text colour that reads on it, so that no
// text keeps a desktop theme's light colour on a light classic background.
// Only when the widget does not show these colours already: a palette set
// costs even when nothing changes, and the band asks for the colours of all
// its lines on every keystroke.
void setColour(QWidget* widget, QPalette::ColorRole role, QPalette::ColorRole textRole,
               const QColor& colour) {
    const QColor text = ReadableTextOn(colour);
    const QPalette& shown = widget->palette();
    if (shows(shown, role, colour) && shows(shown, textRole, text))
        return;
    QPalette p = shown;
    p.setColor(role, colour);
    p.setColor(textRole, text);
    widget->setPalette(p);
}

} // namespace

void SetWindowColour(QWidget* widget, const QColor& colour) {
    setColour(widget, QPalette::Window, QPalette::WindowText, colour);
}

void SetBoxColour(QWidget* box, const QColor& colour) {
    setColour(box, QPalette::Base, QPalette::Text, colour);
    if (auto* list = qobject_cast<QComboBox*>(box); list && list->lineEdit())
        setColour(list->lineEdit(), QPalette::Base, QPalette::Text, colour);
}

void ShowInList(QComboBox* list, const QString& text) {
    const int entry = text.isEmpty() ? -1 : list->findText(text, Qt::MatchExactly);
    if (list->currentIndex() == entry && list->currentText() == text)
        return;
    const QSignalBlocker block(list);
    list->setCurrentIndex(entry);
    list->setEditText(text);
    if (list->lineEdit())
        list->lineEdit()->setCursorPosition(0);
}

QPushButton* MakeDeleteRowButton(Form& form, QWidget* area, int line, const QRect& twips) {
    auto* button = new QPushButton(area);
    button->setObjectName(QStringLiteral("delriga(%1)").arg(line));
    button->setGeometry(form.twipsX(twips.x()), form.twipsY(twips.y()), form.twipsX(twips.width()),
                        form.twipsY(twips.height()));
    button->setIcon(DeleteRowIcon());
    button->setIconSize(button->size() * 3 / 4);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QAction* AddMenuEntry(QMenu* menu, const char* name, const QString& caption, QObject* owner,
                      std::function<void()> run) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    QObject::connect(action, &QAction::triggered, owner, std::move(run));
    return action;
}
