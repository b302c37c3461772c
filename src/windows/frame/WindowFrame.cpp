#include "windows/frame/WindowFrame.h"
#include "windows/frame/WindowNames.h"

#include "core/session/ApplicationState.h"
#include "windows/frame/Form.h"
#include "windows/frame/Forms.h"
#include "windows/frame/RecentMenu.h"
#include "windows/frame/Services.h"
#include "windows/frame/SpokenNames.h"
#include "windows/frame/ToolbarIcons.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Height of the toolbar in the designed layout (twips).
constexpr int ToolbarHeight = 510;

struct KindTexts {
    const char* windowName; // registry name of the window
    const char* helpPage;   // its help page
    const char* title;      // its name in the own-window question
    int number;             // its number in the `finestra` caption
};

KindTexts textsOf(FrameKind kind) {
    switch (kind) {
    case FrameKind::Water:
        break;
    case FrameKind::Gas:
        return {WindowName::datigas.latin1(), WindowName::guidadatigas.latin1(), "Dati gas", 2};
    case FrameKind::Cover:
        return {WindowName::frontespizio.latin1(), WindowName::guidafrontespizio.latin1(),
                "Frontespizio", 3};
    }
    return {WindowName::dati.latin1(), WindowName::guidadati.latin1(), "Dati", 1};
}

// Toolbar position → (tooltip, command); separators have no tooltip.
struct ButtonDesign {
    const char* tooltip;
    int command;
};

} // namespace

WindowFrame::WindowFrame(Form& window, AppContext& context, FrameKind kind, FrameHandlers handlers)
    : QObject(&window)
    , m_window(window)
    , m_ctx(context)
    , m_kind(kind) {
    resolveHandlers(handlers);

    m_menuBar = new QMenuBar(&window);
    m_menuBar->setObjectName(QStringLiteral("menuBar"));
    m_client = new QWidget(&window);
    m_client->setObjectName(QStringLiteral("clientArea"));
    m_client->installEventFilter(this);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menuBar);
    layout->addWidget(m_client, 1);

    buildMenus();
    buildToolbar();
    NameIconButtons(m_toolBar);
    window.setDesignedInnerSize(InnerWidth, InnerHeight);
    // The text boxes claim some of the menu's keys (Ctrl+A, Ctrl+C) before
    // any shortcut runs; the frame sees that claim wherever it is made.
    qApp->installEventFilter(this);
}

QString WindowFrame::finestraCaption(FrameKind kind) {
    return QString(126, QLatin1Char(' ')) +
           QStringLiteral("Fi&nestra n.%1 di 3").arg(textsOf(kind).number);
}

void WindowFrame::resolveHandlers(FrameHandlers& h) {
    m_handlers[Open] = std::move(h.open);
    m_handlers[Save] = std::move(h.save);
    m_handlers[SaveAs] = std::move(h.saveAs);
    m_handlers[DeleteFile] = std::move(h.deleteFile);
    m_handlers[PrintInputForm] = std::move(h.printInputForm);
    m_handlers[PrintWindow] = std::move(h.printWindow);
    m_handlers[Colour] = std::move(h.colour);
    m_handlers[Check] = std::move(h.check);
    m_handlers[Clear] = std::move(h.clear);
    m_handlers[Exit] =
        h.exit ? std::move(h.exit) : [this] { m_ctx.procedures.confirmExit(m_ctx, &m_window); };
    m_openRecent = std::move(h.openRecent);

    m_handlers[ShowChooser] = [this] { m_ctx.procedures.showChooser(m_ctx); };
    const Command windows[] = {ShowWater, ShowGas, ShowCover};
    const FrameKind kinds[] = {FrameKind::Water, FrameKind::Gas, FrameKind::Cover};
    for (int i = 0; i < 3; ++i) {
        m_handlers[windows[i]] =
            kinds[i] == m_kind ? [this] { ownWindowQuestion(); }
                               : showWindow(QString::fromLatin1(textsOf(kinds[i]).windowName));
    }
    m_handlers[ShowVerification] = showWindow(WindowName::verifica);
    m_handlers[ShowFlows] = showWindow(WindowName::portate);
    m_handlers[HelpSummary] = showWindow(WindowName::sommario);
    m_handlers[Tips] = showWindow(WindowName::frmTip);
    m_handlers[Support] = showWindow(WindowName::supportoclienti);
    m_handlers[About] = showWindow(WindowName::informa);
    m_handlers[WindowHelp] = showWindow(QString::fromLatin1(textsOf(m_kind).helpPage));
}

std::function<void()> WindowFrame::showWindow(const QString& name) {
    if (!m_ctx.forms.canShow(name))
        return {};
    return [this, name] { m_ctx.forms.showByName(name); };
}

QMenu* WindowFrame::addMenu(QMenu* parent, const char* name, const QString& caption) {
    QMenu* menu = parent ? parent->addMenu(caption) : m_menuBar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    m_menus.insert(menu->objectName(), menu);
    return menu;
}

QAction* WindowFrame::addItem(QMenu* menu, const char* name, const QString& caption,
                              Command command) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(static_cast<bool>(m_handlers[command]));
    connect(action, &QAction::triggered, this, [this, command] { run(command); });
    m_items.insert(action->objectName(), action);
    return action;
}

void WindowFrame::buildMenus() {
    const bool cover = m_kind == FrameKind::Cover;

    // The keys every desktop program gives its file commands; the classic
    // program uses none of them (its own are Ctrl+A to Ctrl+D).
    QMenu* file = addMenu(nullptr, "file", QStringLiteral("&File"));
    addItem(file, "apri", QStringLiteral("&Apri..."), Open)->setShortcut(Qt::CTRL | Qt::Key_O);
    file->addSeparator();
    addItem(file, "salva", QStringLiteral("&Salva"), Save)->setShortcut(Qt::CTRL | Qt::Key_S);
    addItem(file, "salvanome", QStringLiteral("Salva con &nome..."), SaveAs)
        ->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    file->addSeparator();
    addItem(file, "eliminare", QStringLiteral("&Elimina..."), DeleteFile);
    file->addSeparator();
    QMenu* print = addMenu(file, cover ? "stamp" : "stam", QStringLiteral("S&tampa"));
    if (cover) {
        addItem(print, "solodati", QStringLiteral("&solo dati finestra"), PrintInputForm);
        addItem(print, "stampatutto", QStringLiteral("&intera elaborazione"), PrintWindow)
            ->setShortcut(Qt::CTRL | Qt::Key_P);
    } else {
        addItem(print, "acquisizionedati", QStringLiteral("&modello acquisizione dati"),
                PrintInputForm);
        addItem(print, "stampa", QStringLiteral("&dati finestra"), PrintWindow)
            ->setShortcut(Qt::CTRL | Qt::Key_P);
    }
    print->menuAction()->setEnabled(m_handlers[PrintInputForm] || m_handlers[PrintWindow]);
    file->addSeparator();
    addItem(file, cover ? "esci" : "usci", QStringLiteral("Es&ci"), Exit);
    if (m_openRecent)
        new RecentMenu(file, m_ctx.state.session.recent, m_openRecent);

    QMenu* edit = addMenu(nullptr, cover ? "modi" : "modif", QStringLiteral("&Modifica"));
    addItem(edit, cover ? "colorare" : "colora", QStringLiteral("&Colore di sfondo"), Colour);
    edit->addSeparator();
    addItem(edit, cover ? "controllodat" : "controlla", QStringLiteral("Controllo &dati immessi"),
            Check);
    edit->addSeparator();
    addItem(edit, "cancella", QStringLiteral("C&ancella dati finestra"), Clear);

    QMenu* view = addMenu(nullptr, "visu", QStringLiteral("&Visualizza"));
    const struct {
        const char* name;
        const char* caption;
        Command command;
        FrameKind kind;
    } entries[] = {{"fin2", "Finestra Dati", ShowWater, FrameKind::Water},
                   {"fin3", "Finestra Dati gas", ShowGas, FrameKind::Gas},
                   {"fin4", "Finestra Frontespizio", ShowCover, FrameKind::Cover}};
    QAction* fin1 = addItem(view, "fin1", QStringLiteral("Finestra Scelta"), ShowChooser);
    fin1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    view->addSeparator();
    int key = Qt::Key_B;
    for (const auto& entry : entries) {
        QAction* action =
            addItem(view, entry.name, QString::fromLatin1(entry.caption), entry.command);
        action->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(key++)));
        if (entry.kind == m_kind) {
            // The check mark of the window the user is in stays when he
            // picks the entry.
            action->setCheckable(true);
            action->setChecked(true);
            connect(action, &QAction::toggled, action, [action](bool on) {
                if (!on)
                    action->setChecked(true);
            });
        }
    }
    // Beyond the classic entries, on a key the classic menus leave free.
    view->addSeparator();
    addItem(view, "verifica", QStringLiteral("Verifica della rete..."), ShowVerification)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    addItem(view, "portate", QStringLiteral("Utenze e portate..."), ShowFlows)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));

    QMenu* help = addMenu(nullptr, cover ? "help" : "inter", QStringLiteral("&?"));
    addItem(help, "guida", QStringLiteral("&Guida in linea"), HelpSummary);
    addItem(help, cover ? "sugger" : "suggerimenti", QStringLiteral("&Suggerimenti..."), Tips);
    help->addSeparator();
    addItem(help, "supporto", QStringLiteral("Supporto &prodotto"), Support);
    help->addSeparator();
    addItem(help, "informazioni", QStringLiteral("&Informazioni su Tubarex"), About);

    auto* finestra = new QAction(finestraCaption(m_kind), this);
    finestra->setObjectName(QStringLiteral("finestra"));
    finestra->setEnabled(static_cast<bool>(m_handlers[WindowHelp]));
    connect(finestra, &QAction::triggered, this, [this] { run(WindowHelp); });
    m_items.insert(finestra->objectName(), finestra);

    m_finestraButton = new QToolButton(m_menuBar);
    m_finestraButton->setObjectName(QStringLiteral("finestra"));
    m_finestraButton->setText(finestra->text().trimmed());
    m_finestraButton->setAutoRaise(true);
    m_finestraButton->setEnabled(finestra->isEnabled());
    connect(m_finestraButton, &QToolButton::clicked, finestra, &QAction::trigger);
    m_menuBar->setCornerWidget(m_finestraButton, Qt::TopRightCorner);
}

void WindowFrame::buildToolbar() {
    m_toolBar = new QToolBar(m_client);
    m_toolBar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(20, 20));

    constexpr int None = -1;
    const ButtonDesign designs[ToolbarPositions] = {
        {"apri file", Open},
        {"salva file", Save},
        {"salva file con nome", SaveAs},
        {"elimina file", DeleteFile},
        {nullptr, None},
        {"stampa dati finestra", PrintWindow},
        {nullptr, None},
        {"visualizza finestra 'Scelta'", ShowChooser},
        {"visualizza finestra 'Dati'", ShowWater},
        {"visualizza finestra 'Dati gas'", ShowGas},
        {"visualizza finestra 'Frontespizio'", ShowCover},
        {nullptr, None},
        {"colore di sfondo", Colour},
        {nullptr, None},
        {"guida in linea", HelpSummary},
        {"suggerimenti", Tips},
        {"supporto prodotto", Support},
        {"informazioni su Tubarex", About},
        {nullptr, None},
        {"controllo dati immessi", Check},
        {"cancella dati finestra", Clear},
        {"uscita da Tubarex", Exit},
    };
    for (int index = 1; index <= ToolbarPositions; ++index) {
        const ButtonDesign& button = designs[index - 1];
        QAction* action = nullptr;
        if (button.command == None) {
            action = m_toolBar->addSeparator();
        } else {
            const auto command = static_cast<Command>(button.command);
            action = m_toolBar->addAction(ToolbarIcon(index), QString());
            action->setToolTip(QString::fromUtf8(button.tooltip));
            action->setEnabled(static_cast<bool>(m_handlers[command]));
            connect(action, &QAction::triggered, this, [this, command] { run(command); });
        }
        action->setObjectName(QStringLiteral("Toolbar1(%1)").arg(index));
        m_buttons.at(static_cast<size_t>(index - 1)) = action;
    }
    m_toolBar->setGeometry(0, 0, m_client->width(), m_window.twipsY(ToolbarHeight));
}

void WindowFrame::run(Command command) {
    // A copy: the handler may unload the window, and this frame with it.
    const std::function<void()> handler = m_handlers[command];
    if (handler)
        handler();
}

void WindowFrame::ownWindowQuestion() {
    const KindTexts texts = textsOf(m_kind);
    const MsgAnswer answer = m_ctx.services.messages.MsgBox(
        QStringLiteral("E' questa la finestra '") + QString::fromLatin1(texts.title) +
            QStringLiteral("': si vuole la guida della finestra?"),
        MsgButtons::YesNo, NoticeIcon::Question, m_ctx.state.program.HelpTitle, &m_window);
    if (answer != MsgAnswer::No)
        m_ctx.forms.showByName(QString::fromLatin1(texts.helpPage));
}

bool WindowFrame::isMenuShortcut(const QKeyEvent* key) const {
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* action : m_items) {
        if (action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == pressed)
            return true;
    }
    return false;
}

bool WindowFrame::eventFilter(QObject* watched, QEvent* event) {
    // As menu accelerators do in the classic toolkit, the menu's own
    // shortcuts outrank the control that has the focus: its claim is not
    // delivered, and the shortcut runs. Its other keys stay its own.
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == &m_window &&
        isMenuShortcut(static_cast<QKeyEvent*>(event)))
        return true;
    if (watched == m_client && event->type() == QEvent::Resize)
        m_toolBar->setGeometry(0, 0, m_client->width(), m_toolBar->height());
    // Over the controls, which a window made very low pushes up to it.
    if (watched == m_client && event->type() == QEvent::Show)
        m_toolBar->raise();
    return QObject::eventFilter(watched, event);
}
