#include "windows/water/ProjectFileCommands.h"

#include "core/ApplicationState.h"
#include "core/ProjectFile.h"
#include "windows/frame/Forms.h"
#include "windows/frame/Services.h"
#include "windows/frame/WindowFrame.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString FileNameStart = QStringLiteral("Tubarex-dati-");

ProjectView* viewOf(AppContext& context, const char* name) {
    return dynamic_cast<ProjectView*>(context.forms.find(QString::fromLatin1(name)));
}

} // namespace

void SetProjectWindowsBackground(AppContext& context, const QColor& colour) {
    for (const char* name : ProjectWindows) {
        context.forms.loadByName(QString::fromLatin1(name));
        if (ProjectView* view = viewOf(context, name))
            view->setBackgroundColour(colour);
    }
}

std::optional<QColor> ChooseProjectBackground(AppContext& context, QWidget* window,
                                              const QColor& current) {
    ApplicationState& s = context.state;
    if (current != ProjectGrey) {
        const MsgAnswer answer = context.services.messages.MsgBox(
            QStringLiteral("Colori uguali e riposanti (grigio) per tutte le finestre?"),
            MsgButtons::YesNo, NoticeIcon::Question,
            s.ProgramName + QStringLiteral(": colore di sfondo"), window);
        if (answer != MsgAnswer::No) {
            SetProjectWindowsBackground(context, ProjectGrey);
            return std::nullopt;
        }
    }
    const auto chosen = context.services.dialogs.ShowColor(current.rgb() & 0xFFFFFFu, window);
    if (!chosen)
        return std::nullopt;
    s.ColourScheme = *chosen;
    return QColor::fromRgb(*chosen);
}

QString OpenProject(AppContext& context, const QString& path, ProjectSource source,
                    const QString& copyOf) {
    // The file is read and checked aside first, so that a file that cannot
    // be opened changes nothing, not even which windows are loaded.
    ApplicationState read;
    const QString error = LoadProjectFile(read, path);
    if (!error.isEmpty())
        return error;
    // The cover window is loaded before its record is replaced, so that its
    // load (which dates the record) cannot overwrite what the file holds.
    context.forms.loadByName(QStringLiteral("frontespizio"));
    ApplyProjectData(context.state,
                     {read.WaterRowCount, std::move(read.water), read.GasRowCount,
                      std::move(read.gas), std::move(read.cover), std::move(read.extension)});
    context.state.CurrentFileName = source == ProjectSource::DataFile ? path : copyOf;
    if (source == ProjectSource::DataFile)
        context.state.recent.add(path);
    // A copy of unsaved work holds its rows through the last with an input,
    // beyond a blank row: the segments are counted as they were.
    if (source == ProjectSource::UnsavedCopy && context.state.waterRows() > 0)
        RecountRows(context.state);
    if (source == ProjectSource::UnsavedCopy && context.state.gasRows() > 0)
        CountGasRows(context.state);
    // Both data windows show the project from row 1, computed, whichever
    // window opened it: those not loaded are loaded (hidden).
    context.forms.loadByName(QStringLiteral("dati"));
    context.forms.loadByName(QStringLiteral("datigas"));
    NotifyProjectOpened(context);
    NotifyProject(context.state,
                  source == ProjectSource::DataFile ? ProjectEvent::Stored : ProjectEvent::Changed);
    return QString();
}

void NotifyProjectOpened(AppContext& context) {
    for (const char* name : ProjectWindows) {
        if (ProjectView* view = viewOf(context, name))
            view->projectOpened();
    }
}

bool ProjectHasRows(AppContext& context, QWidget* parent) {
    const ApplicationState& s = context.state;
    if (s.waterRows() + s.gasRows() != 0)
        return true;
    context.services.messages.MsgBox(
        QStringLiteral("Non esistono dati riconosciuti: digitare correttamente i dati."),
        MsgButtons::Ok, NoticeIcon::Critical, s.HelpTitle, parent);
    return false;
}

bool SaveChangesFirst(AppContext& context, QWidget* parent) {
    const ApplicationState& s = context.state;
    if (!s.modified)
        return true;
    const MsgAnswer answer = context.services.messages.MsgBox(
        QStringLiteral("Salvare le modifiche a \u00ab") + ProjectNameOf(s.CurrentFileName) +
            QStringLiteral("\u00bb?"),
        MsgButtons::YesNoCancel, NoticeIcon::Question,
        s.ProgramName + QStringLiteral(": dati non archiviati"), parent);
    if (answer == MsgAnswer::No)
        return true;
    if (answer != MsgAnswer::Yes)
        return false;
    // The whole project, whichever window asks: the loosest of the three
    // saves, so that no incomplete row keeps the work from its file.
    ProjectFileCommands files(context, parent);
    return files.Save([&context, parent] { return ProjectHasRows(context, parent); });
}

bool OpenProjectAtStart(AppContext& context, const QString& path) {
    InitApplicationState(context.state);
    InitMessageTitles(context.state);
    return SaveChangesFirst(context) && ShowProjectAtStart(context, path);
}

bool ShowProjectAtStart(AppContext& context, const QString& path, ProjectSource source,
                        const QString& copyOf) {
    InitApplicationState(context.state);
    InitMessageTitles(context.state);
    const QString error = OpenProject(context, path, source, copyOf);
    if (!error.isEmpty()) {
        context.services.messages.MsgBox(error, MsgButtons::Ok, NoticeIcon::Critical,
                                         context.state.CheckTitle);
        return false;
    }
    // The window of the project's network loads after the file, so its band
    // is shown afresh: the water window, or the gas window for a project
    // that holds only gas segments.
    const bool gasOnly = context.state.waterRows() == 0 && context.state.gasRows() > 0;
    context.forms.showByName(gasOnly ? QStringLiteral("datigas") : QStringLiteral("dati"));
    NotifyProjectOpened(context);
    return true;
}

ProjectFileCommands::ProjectFileCommands(AppContext& context, QWidget* parent,
                                         CancelledOpen cancelledOpen)
    : m_ctx(context)
    , m_parent(parent)
    , m_cancelledOpen(cancelledOpen)
    , m_fileName(FileNameStart) {}

QString ProjectFileCommands::OpenFilter() {
    return QStringLiteral("Tutti i file (*.*) | *.*|File Tubarex-dati- | Tubarex-dati-*");
}

QString ProjectFileCommands::SaveFilter() {
    return QStringLiteral("File Tubarex-dati- | Tubarex-dati-*");
}

QString ProjectFileCommands::DeleteFilter() {
    return QStringLiteral("Tutti i file (*.*)|*.*|File Tubarex-dati- | Tubarex-dati-*");
}

QString ProjectFileCommands::dialogFolder() const {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QFileInfo(documents).isDir())
        documents = QDir::homePath();
    return DialogFolder(m_ctx.state.CurrentFileName, m_ctx.state.recent.lastFolder(), documents);
}

void ProjectFileCommands::chosen(const QString& path) {
    m_fileName = path;
    m_ctx.state.recent.setLastFolder(QFileInfo(path).absolutePath());
}

void ProjectFileCommands::critical(const QString& text) {
    m_ctx.services.messages.MsgBox(text, MsgButtons::Ok, NoticeIcon::Critical,
                                   m_ctx.state.CheckTitle, m_parent);
}

bool ProjectFileCommands::Open() {
    if (!SaveChangesFirst(m_ctx, m_parent))
        return false;
    m_title = QStringLiteral("Apri file");
    m_fileName.clear();
    const auto chosen = m_ctx.services.dialogs.ShowOpen(
        {m_title, m_fileName, OpenFilter(), 2, dialogFolder()}, m_parent);
    if (!chosen) {
        if (m_cancelledOpen == CancelledOpen::ForgetsCurrentFile) {
            m_ctx.state.CurrentFileName.clear();
            NotifyProject(m_ctx.state, ProjectEvent::Renamed);
        }
        return false;
    }
    this->chosen(*chosen);
    const QString error = OpenProject(m_ctx, *chosen);
    if (!error.isEmpty()) {
        critical(error);
        return false;
    }
    return true;
}

bool ProjectFileCommands::OpenRecent(const QString& path) {
    if (!SaveChangesFirst(m_ctx, m_parent))
        return false;
    const QString error = OpenProject(m_ctx, path);
    if (!error.isEmpty()) {
        if (!QFileInfo::exists(path))
            m_ctx.state.recent.remove(path);
        critical(error);
        return false;
    }
    m_fileName = path;
    return true;
}

bool ProjectFileCommands::Save(const Precheck& precheck) {
    m_title = QStringLiteral("Salva file");
    return SaveDataFile(precheck);
}

bool ProjectFileCommands::SaveAs(const Precheck& precheck) {
    m_title = QStringLiteral("Salva file con nome");
    return writeProject(precheck, true);
}

bool ProjectFileCommands::SaveDataFile(const Precheck& precheck) {
    return writeProject(precheck, false);
}

bool ProjectFileCommands::writeProject(const Precheck& precheck, bool askName) {
    if (precheck && !precheck())
        return false;
    m_ctx.forms.loadByName(QStringLiteral("frontespizio"));
    if (m_ctx.state.cover.progetto.isEmpty()) {
        critical(QStringLiteral("E' necessario digitare almeno il dato del 'progetto'."));
        m_ctx.forms.showByName(QStringLiteral("frontespizio"));
        return false;
    }
    // The save dialog is titled so for Salva too.
    m_title = QStringLiteral("Salva file con nome");
    // The current file changes only when a file was written: a refused,
    // cancelled or failed "Salva con nome" leaves the next Salva writing the
    // file the user has open.
    QString path = m_ctx.state.CurrentFileName;
    if (askName || path.isEmpty()) {
        const auto chosen = m_ctx.services.dialogs.ShowSave(
            {m_title, m_fileName, SaveFilter(), 1, dialogFolder()}, m_parent);
        if (!chosen)
            return false;
        this->chosen(*chosen);
        path = *chosen;
    }
    const QString error = SaveProjectFile(m_ctx.state, path);
    if (!error.isEmpty()) {
        critical(error);
        return false;
    }
    m_ctx.state.CurrentFileName = path;
    m_ctx.state.recent.add(path);
    NotifyProject(m_ctx.state, ProjectEvent::Stored);
    return true;
}

void SetSaveHandlers(FrameHandlers& handlers, ProjectFileCommands& files,
                     const ProjectFileCommands::Precheck& check,
                     const std::function<void()>& saved) {
    handlers.save = [&files, check, saved] {
        if (files.Save(check))
            saved();
    };
    handlers.saveAs = [&files, check, saved] {
        if (files.SaveAs(check))
            saved();
    };
}

bool ProjectFileCommands::Delete() {
    m_title = m_ctx.state.DeleteDialogTitle;
    const auto chosen = m_ctx.services.dialogs.ShowOpen(
        {m_title, m_fileName, DeleteFilter(), 2, dialogFolder()}, m_parent);
    if (!chosen)
        return false;
    this->chosen(*chosen);
    // Deleted at once, with no confirmation; a file that cannot be deleted
    // ends the command silently.
    return QFile::remove(*chosen);
}
