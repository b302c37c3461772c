#pragma once

#include "core/model/Result.h"
#include "windows/frame/WindowNames.h"

#include <QColor>
#include <QString>

#include <functional>
#include <optional>

struct AppContext;
struct FrameHandlers;
class QWidget;

// A main window that shows the project (water, gas or cover window): told
// when a data file has replaced the project, and when the program gives all
// of them the same background colour.
class ProjectFileCommands;
class ProjectView {
public:
    virtual ~ProjectView() = default;
    // The project was replaced and both bands are back at row 1.
    virtual void projectOpened() = 0;
    virtual void setBackgroundColour(const QColor& colour) = 0;
    // The window's own file commands, whose dialogs keep the file name last
    // used in the window.
    virtual ProjectFileCommands& files() = 0;
};

// The registry names of the windows that show the project.
inline constexpr QLatin1String ProjectWindows[] = {WindowName::dati, WindowName::datigas,
                                                   WindowName::frontespizio};

// Applies `colour` to every project window, loading those that are enrolled
// and not loaded yet.
void SetProjectWindowsBackground(AppContext& context, const QColor& colour);

// The light grey that the project windows share when the user asks for it.
inline const QColor ProjectGrey(192, 192, 192);

// The background command of a project window whose background is `current`.
// A window that is not grey first asks whether all project windows should
// turn grey: any answer but No greys them all and ends the command.
// Otherwise (already grey, or No) the colour dialog opens on the current
// colour and its choice becomes ColourScheme. Returns the colour for this
// window alone; nothing when the grey went to all or the dialog was
// cancelled.
std::optional<QColor> ChooseProjectBackground(AppContext& context, QWidget* window,
                                              const QColor& current);

// Where a project comes from: a data file of the user's, which becomes the
// current file and holds the project as it stands; or a copy of unsaved
// work, which is unsaved work itself and goes back to its own file.
enum class ProjectSource { DataFile, UnsavedCopy };

// Makes the file at `path` the project and tells the project windows: the
// cover window is loaded first (its load dates the record), and the gas
// window is loaded so that its band too starts again at row 1. A copy of
// unsaved work makes `copyOf`, the data file it belongs to (empty for
// none), the current file. On failure (the message to show) the project is
// unchanged.
Result<> OpenProject(AppContext& context, const QString& path,
                     ProjectSource source = ProjectSource::DataFile,
                     const QString& copyOf = QString());

// Tells every loaded project window that the project was replaced.
void NotifyProjectOpened(AppContext& context);

// After a data file is opened: the fixture types, the curve and the water
// series the project carries that this machine's catalogues lack are
// offered for adding to the user's own (never replacing one of his: the
// project keeps computing with what it carries either way). True when they
// were added; the failure to write them is shown.
bool OfferCatalogueGaps(AppContext& context, QWidget* parent, const QString& catalogueFile,
                        const QString& seriesFile);
bool OfferCatalogueGaps(AppContext& context, QWidget* parent);

// The program started with a data file: the program identity is filled as
// the splash would, unsaved changes (a copy of unsaved work just restored)
// are asked about, the file is opened and the water window shown (the gas
// window when the project has gas segments and no water segment). An
// unreadable file is reported (false), and the program starts as usual.
bool OpenProjectAtStart(AppContext& context, const QString& path);

// OpenProjectAtStart once the question about unsaved changes is behind.
bool ShowProjectAtStart(AppContext& context, const QString& path,
                        ProjectSource source = ProjectSource::DataFile,
                        const QString& copyOf = QString());

// The cover window's rule for a save: some network has rows; otherwise its
// message ("Non esistono dati riconosciuti ...") and false.
bool ProjectHasRows(AppContext& context, QWidget* parent);

// Asked before anything replaces the project and before the exit question:
// when the project holds unsaved changes, "Salvare le modifiche a «NAME»?"
// with Sì (the project saved as Salva of the cover window saves it: to its
// file, or to one asked for), No and Annulla. True when the caller may go
// on: nothing unsaved, No, or Sì with the project saved; Annulla and a save
// cancelled or refused stop it.
bool SaveChangesFirst(AppContext& context, QWidget* parent = nullptr);

// What a cancelled Open does to the current file: the water and cover
// windows keep it; the gas window forgets it, so that its next save asks for
// a name.
enum class CancelledOpen { KeepsCurrentFile, ForgetsCurrentFile };

// The file commands of a main window: open, save, save as and delete a
// project data file. Each window owns one, so each window's dialog keeps the
// last file name used in it, starting from "Tubarex-dati-".
class ProjectFileCommands {
public:
    // Runs the window's own input check silently; true when it passed.
    using Precheck = std::function<bool()>;

    ProjectFileCommands(AppContext& context, QWidget* parent,
                        CancelledOpen cancelledOpen = CancelledOpen::KeepsCurrentFile);

    // Asks for a file and makes it the project; true when one was opened.
    bool Open();
    // Makes a file of the recent list the project, as Open does once the
    // file is chosen; a file that is gone is refused with Open's message
    // and leaves the list.
    bool OpenRecent(const QString& path);
    // Writes the project to the current file, asking for one when there is
    // none; true when the file was written.
    bool Save(const Precheck& precheck);
    // Always asks for the file; the file written becomes the current one,
    // and nothing written leaves the current file as it was.
    bool SaveAs(const Precheck& precheck);
    bool SaveDataFile(const Precheck& precheck);
    // Deletes the chosen file at once; true when it was deleted.
    bool Delete();

    // The file name the window's next dialog starts from, and its title.
    const QString& dialogFileName() const { return m_fileName; }
    // The folder the next dialog opens in (DialogFolder): the current
    // project's, else the last folder used, else the user's documents.
    QString dialogFolder() const;
    const QString& dialogTitle() const { return m_title; }

    static QString OpenFilter();
    static QString SaveFilter();
    static QString DeleteFilter();

private:
    void critical(const QString& text);
    // A dialog's answer: the name it keeps, the folder last used.
    void chosen(const QString& path);
    // The check, the project name, the name of the file (asked when
    // `askName` or when there is no current file), then the file written.
    bool writeProject(const Precheck& precheck, bool askName);

    AppContext& m_ctx;
    QWidget* m_parent;
    CancelledOpen m_cancelledOpen;
    QString m_fileName;
    QString m_title;
};

// Salva and Salva con nome of a main window's frame: the window's own check
// first, then `saved` (the window shows the saved hint) once the file is
// written.
void SetSaveHandlers(FrameHandlers& handlers, ProjectFileCommands& files,
                     const ProjectFileCommands::Precheck& check,
                     const std::function<void()>& saved);
