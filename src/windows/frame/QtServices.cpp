#include "windows/frame/QtServices.h"

#include "core/session/FileFilter.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

namespace {

QMessageBox::Icon boxIcon(NoticeIcon icon) {
    switch (icon) {
    case NoticeIcon::Critical:
        return QMessageBox::Critical;
    case NoticeIcon::Question:
        return QMessageBox::Question;
    case NoticeIcon::Exclamation:
        return QMessageBox::Warning;
    case NoticeIcon::Information:
        return QMessageBox::Information;
    case NoticeIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        break;
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    }
    return QMessageBox::Ok;
}

// Room beside the title for the window manager's icon and buttons, in
// pixels: three buttons and the icon of a usual title bar, with margins.
constexpr int TitleBarExtras = 120;

// The window manager writes the title in the box's title bar and cuts it
// where the box is narrower; some titles say what the text does not (the
// exit's "i dati non archiviati andranno persi"), so the box is made wide
// enough for its whole title, measured in the bold face title bars use.
void makeRoomForTitle(QMessageBox& box, const QString& title) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    QFont bold = box.font();
    bold.setBold(true);
    const int width = QFontMetrics(bold).horizontalAdvance(title) + TitleBarExtras;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

MsgAnswer runBox(const QString& text, MsgButtons buttons, NoticeIcon icon, const QString& title,
                 QWidget* parent, bool defaultNo) {
    QMessageBox box(boxIcon(icon), title, QtMessageService::displayText(text), boxButtons(buttons),
                    parent);
    // Each answer has its letter, as the system's own boxes give it.
    const std::pair<QMessageBox::StandardButton, const char*> captions[] = {
        {QMessageBox::Yes, "&S\u00ec"},
        {QMessageBox::No, "&No"},
        {QMessageBox::Cancel, "&Annulla"}};
    for (const auto& [button, caption] : captions) {
        if (QAbstractButton* b = box.button(button))
            b->setText(QString::fromUtf8(caption));
    }
    if (defaultNo)
        box.setDefaultButton(QMessageBox::No);
    makeRoomForTitle(box, title);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        return MsgAnswer::Ok;
    }
}

std::optional<QString> runFileDialog(const FileDialogRequest& request, QWidget* parent,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    const QStringList filters = ClassicFilterToNameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(SelectedNameFilter(filters, request.filterIndex));
    }
    const QFileInfo info(request.fileName);
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    else if (!request.fileName.isEmpty() && info.path() != QStringLiteral("."))
        dialog.setDirectory(info.path());
    if (!request.fileName.isEmpty())
        dialog.selectFile(info.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

} // namespace

QString QtMessageService::displayText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

MsgAnswer QtMessageService::MsgBox(const QString& text, MsgButtons buttons, NoticeIcon icon,
                                   const QString& title, QWidget* parent) {
    return runBox(text, buttons, icon, title, parent, false);
}

MsgAnswer QtMessageService::MsgBoxDefaultNo(const QString& text, NoticeIcon icon,
                                            const QString& title, QWidget* parent) {
    return runBox(text, MsgButtons::YesNo, icon, title, parent, true);
}

std::optional<QString> QtCommonDialogService::ShowOpen(const FileDialogRequest& request,
                                                       QWidget* parent) {
    return runFileDialog(request, parent, QFileDialog::AcceptOpen);
}

std::optional<QString> QtCommonDialogService::ShowSave(const FileDialogRequest& request,
                                                       QWidget* parent) {
    return runFileDialog(request, parent, QFileDialog::AcceptSave);
}

std::optional<quint32> QtCommonDialogService::ShowColor(quint32 initial, QWidget* parent) {
    const QColor chosen = QColorDialog::getColor(QColor::fromRgb(initial), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return static_cast<quint32>(chosen.rgb() & 0xFFFFFFu);
}

bool QtCommonDialogService::ShowPrinter(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

QtMusicService::QtMusicService()
    : QtMusicService(findPlayer()) {}

QtMusicService::QtMusicService(Player player)
    : m_player(std::move(player)) {}

QtMusicService::~QtMusicService() {
    stop();
}

QtMusicService::Player QtMusicService::findPlayer() {
    const QString timidity = QStandardPaths::findExecutable(QStringLiteral("timidity"));
    if (!timidity.isEmpty())
        return {timidity, {QStringLiteral("--quiet=7"), QStringLiteral("%1")}};
    const QString fluidsynth = QStandardPaths::findExecutable(QStringLiteral("fluidsynth"));
    if (!fluidsynth.isEmpty()) {
        // fluidsynth needs a General MIDI sound font; Debian keeps them here.
        const QDir fonts(QStringLiteral("/usr/share/sounds/sf2"));
        const QStringList found = fonts.entryList({QStringLiteral("*.sf2")}, QDir::Files);
        if (!found.isEmpty())
            return {fluidsynth,
                    {QStringLiteral("-ni"), fonts.filePath(found.first()), QStringLiteral("%1")}};
    }
    return {};
}

void QtMusicService::setFileName(const QString& path) {
    m_fileName = path;
}

void QtMusicService::command(const QString& verb) {
    if (verb == QLatin1String("open")) {
        m_open = QFileInfo(m_fileName).isFile();
    } else if (verb == QLatin1String("play")) {
        if (!m_open || m_player.program.isEmpty() || isPlaying())
            return;
        QStringList arguments = m_player.arguments;
        for (QString& argument : arguments)
            argument.replace(QStringLiteral("%1"), m_fileName);
        auto* process = new QProcess(this);
        process->setStandardOutputFile(QProcess::nullDevice());
        process->setStandardErrorFile(QProcess::nullDevice());
        // A player that ends or fails to start simply leaves the music silent.
        connect(process, &QProcess::finished, process, &QObject::deleteLater);
        connect(process, &QProcess::errorOccurred, process, &QObject::deleteLater);
        m_process = process;
        process->start(m_player.program, arguments);
    } else if (verb == QLatin1String("pause")) {
        stop();
    } else if (verb == QLatin1String("close")) {
        stop();
        m_open = false;
    }
}

bool QtMusicService::isPlaying() const {
    return m_process && m_process->state() != QProcess::NotRunning;
}

void QtMusicService::stop() {
    if (!m_process)
        return;
    QProcess* process = m_process;
    m_process = nullptr;
    if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished(1000);
    }
    process->deleteLater();
}
