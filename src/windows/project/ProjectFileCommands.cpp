#include "windows/project/ProjectFileCommands.h"

#include "core/file/ProjectFile.h"
#include "core/session/ApplicationState.h"
#include "core/session/UserFlowCatalogue.h"
#include "core/session/UserSeries.h"
#include "windows/frame/Forms.h"
#include "windows/frame/Services.h"
#include "windows/frame/WindowFrame.h"
#include "windows/frame/WindowNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString FileNameStart = QStringLiteral("Tubarex-dati-");

ProjectView* viewOf(AppContext& context, QLatin1String name) {
    return dynamic_cast<ProjectView*>(context.forms.find(name));
}

} // namespace

void SetProjectWindowsBackground(AppContext& context, const QColor& colour) {
    for (const QLatin1String name : ProjectWindows) {
        context.forms.loadByName(name);
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
            s.program.ProgramName + QStringLiteral(": colore di sfondo"), window);
        if (answer != MsgAnswer::No) {
            SetProjectWindowsBackground(context, ProjectGrey);
            return std::nullopt;
        }
    }
    const auto chosen = context.services.dialogs.ShowColor(current.rgb() & 0xFFFFFFu, window);
    if (!chosen)
        return std::nullopt;
    s.view.ColourScheme = *chosen;
    return QColor::fromRgb(*chosen);
}

Result<> OpenProject(AppContext& context, const QString& path, ProjectSource source,
                     const QString& copyOf) {
    // The file is read and checked aside first, so that a file that cannot
    // be opened changes nothing, not even which windows are loaded.
    Result<ProjectData> read = ReadProjectFile(path);
    if (!read)
        return FailureOf<void>(read);
    ProjectData& data = read.value();
    // A copy of unsaved work holds its rows through the last with an input,
    // beyond a blank row: the segments are counted as they were.
    if (source == ProjectSource::UnsavedCopy && data.WaterRowCount.value_or(0) > 0)
        data.WaterRowCount = CountWaterRows(data.water);
    if (source == ProjectSource::UnsavedCopy && data.GasRowCount.value_or(0) > 0)
        data.GasRowCount = CountGasRows(data.gas);
    // The cover window is loaded before its record is replaced, so that its
    // load (which dates the record) cannot overwrite what the file holds.
    context.forms.loadByName(WindowName::frontespizio);
    ApplyProjectData(context.state, std::move(data));
    context.state.session.CurrentFileName = source == ProjectSource::DataFile ? path : copyOf;
    if (source == ProjectSource::DataFile)
        context.state.session.recent.add(path);
    // Both data windows show the project from row 1 whichever window opened
    // it: those not loaded are loaded (hidden).
    context.forms.loadByName(WindowName::dati);
    context.forms.loadByName(WindowName::datigas);
    NotifyProjectOpened(context);
    NotifyProject(context.state,
                  source == ProjectSource::DataFile ? ProjectEvent::Stored : ProjectEvent::Changed);
    return {};
}

void NotifyProjectOpened(AppContext& context) {
    for (const QLatin1String name : ProjectWindows) {
        if (ProjectView* view = viewOf(context, name))
            view->projectOpened();
    }
}

bool OfferCatalogueGaps(AppContext& context, QWidget* parent, const QString& catalogueFile,
                        const QString& seriesFile) {
    UserFlowCatalogue user = LoadUserFlowCatalogue(catalogueFile);
    const CatalogueGaps gaps =
        CatalogueGapsOf(context.state.project.extension(), user, WaterSeriesCatalogue(seriesFile));
    if (gaps.empty())
        return false;
    const auto quoted = [](const QStringList& names) {
        return u'\u00ab' + names.join(QStringLiteral("\u00bb, \u00ab")) + u'\u00bb';
    };
    QStringList lines;
    if (!gaps.types.empty()) {
        QStringList names;
        for (const FixtureType& t : gaps.types)
            names << t.name;
        lines << (names.size() == 1 ? QStringLiteral("- il tipo di utenza ")
                                    : QStringLiteral("- i tipi di utenza ")) +
                     quoted(names);
    }
    if (gaps.curve)
        lines << QStringLiteral("- la curva di contemporaneità ") + quoted({gaps.curve->name});
    if (gaps.series)
        lines << QStringLiteral("- la serie di tubi ") + quoted({gaps.series->name});
    const MsgAnswer answer = context.services.messages.MsgBox(
        QStringLiteral("Il progetto porta con sé ciò che le impostazioni di questo computer non "
                       "hanno:\n%1\nAggiungerlo alle proprie impostazioni? Il progetto lo usa "
                       "comunque così come lo porta.")
            .arg(lines.join(u'\n')),
        MsgButtons::YesNo, NoticeIcon::Question, context.state.program.HelpTitle, parent);
    if (answer != MsgAnswer::Yes)
        return false;
    std::vector<PipeSeries> series = LoadUserSeries(seriesFile);
    AddGaps(gaps, user, series);
    Result<> saved;
    if (!gaps.types.empty() || gaps.curve)
        saved = SaveUserFlowCatalogue(catalogueFile, user);
    if (saved && gaps.series)
        saved = SaveUserSeries(seriesFile, series);
    if (!saved) {
        context.services.messages.MsgBox(saved.error(), MsgButtons::Ok, NoticeIcon::Critical,
                                         context.state.program.CheckTitle, parent);
        return false;
    }
    return true;
}

bool OfferCatalogueGaps(AppContext& context, QWidget* parent) {
    return OfferCatalogueGaps(context, parent, UserFlowCatalogueFile(), UserSeriesFile());
}

bool ProjectHasRows(AppContext& context, QWidget* parent) {
    const ApplicationState& s = context.state;
    if (s.project.water.rows() + s.project.gas.rows() != 0)
        return true;
    context.services.messages.MsgBox(
        QStringLiteral("Non esistono dati riconosciuti: digitare correttamente i dati."),
        MsgButtons::Ok, NoticeIcon::Critical, s.program.HelpTitle, parent);
    return false;
}

bool SaveChangesFirst(AppContext& context, QWidget* parent) {
    const ApplicationState& s = context.state;
    if (!s.session.modified)
        return true;
    const MsgAnswer answer = context.services.messages.MsgBox(
        QStringLiteral("Salvare le modifiche a \u00ab") + ProjectNameOf(s.session.CurrentFileName) +
            QStringLiteral("\u00bb?"),
        MsgButtons::YesNoCancel, NoticeIcon::Question,
        s.program.ProgramName + QStringLiteral(": dati non archiviati"), parent);
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
    const Result<> opened = OpenProject(context, path, source, copyOf);
    if (!opened) {
        context.services.messages.MsgBox(opened.error(), MsgButtons::Ok, NoticeIcon::Critical,
                                         context.state.program.CheckTitle);
        return false;
    }
    // The window of the project's network loads after the file, so its band
    // is shown afresh: the water window, or the gas window for a project
    // that holds only gas segments.
    const bool gasOnly =
        context.state.project.water.rows() == 0 && context.state.project.gas.rows() > 0;
    context.forms.showByName(gasOnly ? WindowName::datigas : WindowName::dati);
    NotifyProjectOpened(context);
    if (source == ProjectSource::DataFile)
        OfferCatalogueGaps(context, nullptr);
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
    return DialogFolder(m_ctx.state.session.CurrentFileName,
                        m_ctx.state.session.recent.lastFolder(), UserDocumentsFolder());
}

void ProjectFileCommands::chosen(const QString& path) {
    m_fileName = path;
    m_ctx.state.session.recent.setLastFolder(QFileInfo(path).absolutePath());
}

void ProjectFileCommands::critical(const QString& text) {
    m_ctx.services.messages.MsgBox(text, MsgButtons::Ok, NoticeIcon::Critical,
                                   m_ctx.state.program.CheckTitle, m_parent);
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
            m_ctx.state.session.CurrentFileName.clear();
            NotifyProject(m_ctx.state, ProjectEvent::Renamed);
        }
        return false;
    }
    this->chosen(*chosen);
    const Result<> opened = OpenProject(m_ctx, *chosen);
    if (!opened) {
        critical(opened.error());
        return false;
    }
    OfferCatalogueGaps(m_ctx, m_parent);
    return true;
}

bool ProjectFileCommands::OpenRecent(const QString& path) {
    if (!SaveChangesFirst(m_ctx, m_parent))
        return false;
    const Result<> opened = OpenProject(m_ctx, path);
    if (!opened) {
        if (!QFileInfo::exists(path))
            m_ctx.state.session.recent.remove(path);
        critical(opened.error());
        return false;
    }
    m_fileName = path;
    OfferCatalogueGaps(m_ctx, m_parent);
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
    m_ctx.forms.loadByName(WindowName::frontespizio);
    if (m_ctx.state.project.cover.progetto.isEmpty()) {
        critical(QStringLiteral("E' necessario digitare almeno il dato del 'progetto'."));
        m_ctx.forms.showByName(WindowName::frontespizio);
        return false;
    }
    // The save dialog is titled so for Salva too.
    m_title = QStringLiteral("Salva file con nome");
    // The current file changes only when a file was written: a refused,
    // cancelled or failed "Salva con nome" leaves the next Salva writing the
    // file the user has open.
    QString path = m_ctx.state.session.CurrentFileName;
    if (askName || path.isEmpty()) {
        const auto chosen = m_ctx.services.dialogs.ShowSave(
            {m_title, m_fileName, SaveFilter(), 1, dialogFolder()}, m_parent);
        if (!chosen)
            return false;
        this->chosen(*chosen);
        path = *chosen;
    }
    const Result<> saved = SaveProjectFile(m_ctx.state.project, path);
    if (!saved) {
        critical(saved.error());
        return false;
    }
    m_ctx.state.session.CurrentFileName = path;
    m_ctx.state.session.recent.add(path);
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
    m_title = m_ctx.state.program.DeleteDialogTitle;
    const auto chosen = m_ctx.services.dialogs.ShowOpen(
        {m_title, m_fileName, DeleteFilter(), 2, dialogFolder()}, m_parent);
    if (!chosen)
        return false;
    this->chosen(*chosen);
    // Deleted at once, with no confirmation; a file that cannot be deleted
    // ends the command silently.
    return QFile::remove(*chosen);
}
