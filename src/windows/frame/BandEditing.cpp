#include "windows/frame/BandEditing.h"

#include "core/session/ApplicationState.h"
#include "core/session/StartOptions.h"
#include "windows/frame/Form.h"
#include "windows/frame/Services.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QScrollBar>

#include <vector>

namespace {

// The entry whose key the event is: none of the windows' menus uses these.
QString entryOf(const QKeyEvent* event) {
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const QKeyCombination pressed(mods, static_cast<Qt::Key>(event->key()));
    for (const BandEditing::CommandKeys& command : BandEditing::keys()) {
        for (const QKeySequence& key : command.keys) {
            if (key[0] == pressed)
                return QString::fromLatin1(command.entry);
        }
    }
    return {};
}

QString clipboardText() {
    return QGuiApplication::clipboard()->text();
}

// An entry of the commands; the key beside it is the one the band's filter
// answers, so the entry itself takes it only while its menu is open.
QAction* addCommand(QMenu* menu, QAction* before, const char* name, const QString& caption,
                    bool enabled, bool showsKey = true) {
    auto* action = new QAction(caption, menu);
    action->setObjectName(QString::fromLatin1(name));
    for (const BandEditing::CommandKeys& command : BandEditing::keys()) {
        if (showsKey && qstrcmp(command.entry, name) == 0) {
            action->setShortcut(command.keys.front());
            action->setShortcutContext(Qt::WidgetShortcut);
        }
    }
    action->setEnabled(enabled);
    menu->insertAction(before, action);
    return action;
}

} // namespace

BandEditing::BandEditing(Form& window, AppContext& context, std::unique_ptr<TableEditing> editing,
                         Band band)
    : QObject(&window)
    , m_window(window)
    , m_ctx(context)
    , m_editing(std::move(editing))
    , m_band(std::move(band)) {
    // The keys and the menu reach the commands wherever the focus is in
    // the window, before a box takes Ctrl+Z or Ctrl+V as its own.
    qApp->installEventFilter(this);
}

int BandEditing::rowOfLine(int line) const {
    return m_editing->bandTop() + line - 1;
}

void BandEditing::typed(int row, int column, const std::function<void()>& handler) {
    m_editing->record(row, row, CellKey{row, column}, handler);
}

void BandEditing::command(int first, int last, const std::function<void()>& run) {
    m_editing->record(first, last, std::nullopt, run);
}

void BandEditing::undo() {
    if (m_editing->undo())
        m_band.showTable();
}

void BandEditing::redo() {
    if (m_editing->redo())
        m_band.showTable();
}

QString BandEditing::head(int column) const {
    const auto* label =
        m_window.findChild<QLabel*>(QStringLiteral("testa_") + m_editing->columnName(column));
    return label ? label->text() : m_editing->columnName(column);
}

void BandEditing::showRefusal(const Notice& notice) {
    m_ctx.services.messages.MsgBox(notice.text, MsgButtons::Ok, notice.icon,
                                   m_ctx.state.program.CheckTitle, &m_window);
}

void BandEditing::pasteAt(int row, int column) {
    const CellBlock block = ParseCellBlock(clipboardText());
    if (block.isEmpty())
        return;
    const PasteOutcome outcome =
        m_editing->paste(row, column, block, [this](int c) { return head(c); });
    if (!outcome.refusal.isEmpty()) {
        showRefusal(outcome.refusal);
        return;
    }
    m_band.showTable();
}

void BandEditing::copyRows() {
    auto label = [this](const QString& name) {
        const auto* l = m_window.findChild<QLabel*>(name);
        return l ? l->text() : QString();
    };
    // The row number first, under the window's own heads.
    std::vector<CopiedColumn> columns{
        {0, label(QStringLiteral("testa_num")), label(QStringLiteral("unita_num"))}};
    for (const int c : m_editing->copiedColumns())
        columns.push_back({c, head(c), label(QStringLiteral("unita_") + m_editing->columnName(c))});
    QGuiApplication::clipboard()->setText(m_editing->copyRows(columns, ProgramLocale()));
}

void BandEditing::insertRowAt(int row) {
    const Notice refusal = m_editing->insertRow(row);
    if (!refusal.isEmpty()) {
        showRefusal(refusal);
        return;
    }
    m_band.showTable();
}

QWidget* BandEditing::bandControl(QObject* watched) const {
    if (!watched->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != &m_window)
        return nullptr;
    if (auto* list = qobject_cast<QComboBox*>(widget->parentWidget());
        list && list->lineEdit() == widget)
        widget = list;
    return m_band.lineOf(widget) > 0 ? widget : nullptr;
}

QMenu* BandEditing::contextMenu(QWidget* control) {
    if (m_band.lineOf(control) < 1)
        return nullptr;
    auto* list = qobject_cast<QComboBox*>(control);
    auto* edit = list ? list->lineEdit() : qobject_cast<QLineEdit*>(control);

    // A text box keeps its own entries under the band's, but for its undo
    // and redo: the band's undo takes back the whole cell, and more.
    QMenu* menu = edit ? edit->createStandardContextMenu() : new QMenu;
    if (edit && !edit->isReadOnly()) {
        const QList<QAction*> own = menu->actions();
        for (qsizetype k = 0; k < own.size() && k < 3; ++k)
            menu->removeAction(own.at(k)); // undo, redo and their separator
    }
    // One entry stands beside Ctrl+V, the one the key runs here: the rows
    // pasted when the clipboard holds a block (which the box would refuse),
    // the box's own paste when it holds one value.
    const bool ownPaste = edit && !edit->isReadOnly() && !HoldsCellBlock(clipboardText());
    if (edit && !ownPaste) {
        // The box's own entry is the one that names the key after a tab.
        const QString key = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        for (QAction* own : menu->actions()) {
            if (own->text().section(QLatin1Char('\t'), 1) == key)
                menu->removeAction(own);
        }
    }
    QAction* first = menu->actions().value(0);
    addCommands(menu, first, control, !ownPaste);
    if (first)
        menu->insertSeparator(first);
    return menu;
}

const std::vector<BandEditing::CommandKeys>& BandEditing::keys() {
    static const std::vector<CommandKeys> table{
        {"annulla", {QKeySequence(Qt::CTRL | Qt::Key_Z)}},
        {"ripeti",
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}},
        {"incollarighe",
         {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}},
    };
    return table;
}

void BandEditing::addCommands(QMenu* menu, QAction* before, QWidget* control, bool showsPasteKey) {
    const int line = control ? m_band.lineOf(control) : 0;
    const int row = line > 0 ? rowOfLine(line) : 0;
    const int column = line > 0 ? m_band.columnOf(control) : 0;
    QAction* annulla =
        addCommand(menu, before, "annulla", QStringLiteral("Annulla"), m_editing->canUndo());
    QAction* ripeti =
        addCommand(menu, before, "ripeti", QStringLiteral("Ripeti"), m_editing->canRedo());
    menu->insertSeparator(before);
    QAction* incolla = addCommand(menu, before, "incollarighe", QStringLiteral("Incolla righe"),
                                  row > 0 && !clipboardText().isEmpty(), showsPasteKey);
    QAction* copia = addCommand(menu, before, "copiarighe", QStringLiteral("Copia righe"),
                                m_editing->rowCount() > 0);
    menu->insertSeparator(before);
    QAction* inserisci =
        addCommand(menu, before, "inserisciriga", QStringLiteral("Inserisci riga"), row > 0);

    connect(annulla, &QAction::triggered, this, &BandEditing::undo);
    connect(ripeti, &QAction::triggered, this, &BandEditing::redo);
    // From a box, the block starts in the box; from the row number or
    // another control of the line, at the row's length.
    const int pasteColumn = column > 0 ? column : m_editing->bandColumns().front();
    connect(incolla, &QAction::triggered, this,
            [this, row, pasteColumn] { pasteAt(row, pasteColumn); });
    connect(copia, &QAction::triggered, this, &BandEditing::copyRows);
    connect(inserisci, &QAction::triggered, this, [this, row] { insertRowAt(row); });
}

void BandEditing::extendMenu(QMenu* menu) {
    const auto rebuild = [this, menu] {
        const QList<QAction*> before = menu->actions();
        for (QAction* action : before) {
            if (action->property("bandCommand").toBool())
                delete action;
        }
        const QList<QAction*> own = menu->actions();
        menu->addSeparator();
        addCommands(menu, nullptr, m_focused);
        for (QAction* action : menu->actions()) {
            if (!own.contains(action))
                action->setProperty("bandCommand", true);
        }
    };
    rebuild();
    connect(menu, &QMenu::aboutToShow, this, rebuild);
}

bool BandEditing::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != &m_window)
            break;
        const QString entry = entryOf(static_cast<QKeyEvent*>(event));
        if (entry == QLatin1String("annulla") || entry == QLatin1String("ripeti")) {
            entry == QLatin1String("annulla") ? undo() : redo();
            return true;
        }
        if (entry == QLatin1String("incollarighe")) {
            QWidget* control = bandControl(watched);
            const int column = control ? m_band.columnOf(control) : 0;
            if (column > 0 && HoldsCellBlock(clipboardText())) {
                pasteAt(rowOfLine(m_band.lineOf(control)), column);
                return true;
            }
        }
        break;
    }
    case QEvent::ContextMenu:
        if (QWidget* control = bandControl(watched)) {
            QMenu* menu = contextMenu(control);
            menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
            delete menu;
            return true;
        }
        break;
    case QEvent::Wheel:
        // Over the band the wheel turns the scroll bar, as over the bar
        // itself; a list of the band never changes its choice under it.
        if (m_band.scrollBar && bandControl(watched)) {
            QCoreApplication::sendEvent(m_band.scrollBar, event);
            return true;
        }
        break;
    case QEvent::FocusIn: {
        // The band control the edit menu's commands act on; a menu taking
        // the keyboard leaves it as it was.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::MenuBarFocusReason &&
            watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == &m_window)
            m_focused = bandControl(watched);
        break;
    }
    case QEvent::FocusOut:
        // Typing in the next cell, or in the same one later, is a new step.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason &&
            watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == &m_window)
            m_editing->seal();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
