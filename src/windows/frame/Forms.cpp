#include "windows/frame/Forms.h"

#include <QApplication>

Forms::~Forms() {
    for (auto& [name, form] : m_forms) {
        if (form)
            delete form.data();
    }
}

Form* Forms::find(const QString& className) const {
    const auto it = m_forms.find(className);
    return (it != m_forms.end() && it->second) ? it->second.data() : nullptr;
}

void Forms::adopt(const QString& name, Form* form) {
    m_forms[name] = form;
}

void Forms::unload(const QString& className) {
    if (Form* form = find(className))
        unload(form);
}

void Forms::unload(Form* form) {
    auto it = m_forms.begin();
    while (it != m_forms.end() && it->second != form)
        ++it;
    if (it == m_forms.end())
        return;
    m_forms.erase(it);
    form->Form_Unload();
    form->releaseResizer();
    form->hide();
    form->deleteLater();
    if (m_forms.empty())
        emit lastWindowUnloaded();
}

void Forms::unloadClosed(Form* form) {
    unload(form);
    for (const auto& [name, loaded] : m_forms) {
        if (loaded && loaded->isVisible())
            return;
    }
    while (!m_forms.empty()) {
        Form* hidden = m_forms.begin()->second.data();
        if (hidden) {
            unload(hidden);
            continue;
        }
        // A window deleted behind the registry's back.
        m_forms.erase(m_forms.begin());
        if (m_forms.empty())
            emit lastWindowUnloaded();
    }
}

bool Forms::isLastShown(const Form* form) const {
    for (const auto& [name, loaded] : m_forms) {
        if (loaded && loaded != form && loaded->isVisible())
            return false;
    }
    // A window or dialog of another kind on the screen (the series editor,
    // a print preview) still shows something.
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = window->windowType();
        if (window != form && window->isVisible() && !qobject_cast<const Form*>(window) &&
            (type == Qt::Window || type == Qt::Dialog))
            return false;
    }
    return true;
}

void Forms::reveal(QWidget& form) {
    if (auto* window = qobject_cast<Form*>(&form); window && !window->isVisible())
        window->placeAtFirstShow();
    form.show();
    form.raise();
    form.activateWindow();
}

QString Forms::unqualified(const QString& className) {
    const qsizetype colon = className.lastIndexOf(QLatin1String("::"));
    return colon < 0 ? className : className.mid(colon + 2);
}

void Forms::enrol(const QString& className, Opener opener, Opener loader) {
    m_openers[className] = std::move(opener);
    m_loaders[className] = std::move(loader);
}

bool Forms::loadByName(const QString& className) {
    if (isLoaded(className))
        return true;
    const auto it = m_loaders.find(className);
    if (it == m_loaders.end() || !it->second)
        return false;
    const Opener loader = it->second;
    loader();
    return true;
}

bool Forms::canShow(const QString& className) const {
    const auto it = m_openers.find(className);
    return it != m_openers.end() && it->second;
}

bool Forms::showByName(const QString& className) {
    if (!canShow(className))
        return false;
    // A copy: the opener may enrol again while it runs.
    const Opener opener = m_openers.at(className);
    opener();
    return true;
}
