#pragma once

#include "windows/frame/Form.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <map>

// The registry of windows: at most one instance of each window class, created
// and loaded on first reference, created afresh after it was unloaded. When
// the last loaded window is unloaded the registry emits lastWindowUnloaded
// (the application then quits).
class Forms : public QObject {
    Q_OBJECT
public:
    explicit Forms(QObject* parent = nullptr)
        : QObject(parent) {}
    ~Forms() override;

    void setContext(AppContext* context) { m_ctx = context; }

    // The registry name of window class T: its class name without any
    // namespace, so that a window defined inside a namespace (a test window)
    // stands for the program's window of the same name.
    template <typename T> static QString nameOf() {
        return unqualified(QString::fromLatin1(T::staticMetaObject.className()));
    }

    // The window of class T, created and loaded if it is not loaded.
    template <typename T> T& get() {
        const QString name = nameOf<T>();
        if (Form* f = find(name))
            return static_cast<T&>(*f);
        auto* form = new T(*m_ctx);
        form->setObjectName(name);
        adopt(name, form);
        form->Form_Load();
        return *form;
    }

    // Shows the window of class T modeless and brings it to the front.
    template <typename T> T& show() {
        T& form = get<T>();
        reveal(form);
        return form;
    }

    bool isLoaded(const QString& className) const { return find(className) != nullptr; }
    Form* find(const QString& className) const;

    // Runs Form_Unload and deletes the window; nothing for a window not loaded.
    void unload(const QString& className);
    void unload(Form* form);
    // A window the user closed with its title-bar button: only that window
    // is unloaded, unless no loaded window is left on the screen; then the
    // hidden ones go too, so that the program ends rather than live on with
    // nothing to show.
    void unloadClosed(Form* form);

    // Whether no window but `form` is on the screen: no other loaded one, no
    // dialog or window of another kind.
    bool isLastShown(const Form* form) const;

    // Number of windows loaded.
    int loadedCount() const { return static_cast<int>(m_forms.size()); }

    static void reveal(QWidget& form);

    // Windows reached by name: a window whose class the caller does not know
    // (the chooser opening the water window, a menu opening the tips) is
    // shown through the opener enrolled for its name. An entry whose window
    // is not enrolled is offered disabled.
    using Opener = std::function<void()>;
    // `loader` creates and loads the window without showing it.
    void enrol(const QString& className, Opener opener, Opener loader = {});
    template <typename T> void enrol() {
        enrol(
            nameOf<T>(), [this] { show<T>(); }, [this] { get<T>(); });
    }
    bool canShow(const QString& className) const;
    // Shows the named window; false when no window of that name is enrolled.
    bool showByName(const QString& className);
    // Loads the named window without showing it (a window already loaded
    // stays as it is); false when it is neither loaded nor enrolled with a
    // loader.
    bool loadByName(const QString& className);

signals:
    void lastWindowUnloaded();

private:
    void adopt(const QString& name, Form* form);
    static QString unqualified(const QString& className);

    AppContext* m_ctx = nullptr;
    std::map<QString, QPointer<Form>> m_forms;
    std::map<QString, Opener> m_openers;
    std::map<QString, Opener> m_loaders;
};
