#pragma once

#include <QDialog>
#include <QStringList>

struct AppContext;
class QLabel;
class QLineEdit;
class QPushButton;

// A window that shows the owner's data (the cover page) and is told when
// they change.
class OwnerView {
public:
    virtual ~OwnerView() = default;
    virtual void ownerChanged() = 0;
};

// "Dati dello studio": the name and address of the technical office that
// owns the installation, which the cover page, the report and the documents
// sign with. "Salva" writes them into the installation settings that the
// program and tubarex-cli both read (SaveOwnerSettings), and the program
// shows them at once; a failure is told in a message and the dialog stays
// open with what was typed. Modal, it does not wait: the command that opens
// it returns at once, and it deletes itself when closed.
class datistudio : public QDialog {
    Q_OBJECT
public:
    // `candidates` and `userFile` as SaveOwnerSettings takes them.
    datistudio(AppContext& context, QWidget* parent, QStringList candidates, QString userFile);

    QLineEdit* nome = nullptr;
    QLineEdit* indirizzo = nullptr;
    QLabel* dove = nullptr;
    QPushButton* salva = nullptr;
    QPushButton* annulla = nullptr;

    // True when saved (the dialog then closes).
    bool salva_Click();

private:
    AppContext& m_ctx;
    QStringList m_candidates;
    QString m_userFile;
};

// Opens the dialog over `parent` on the program's installation settings.
datistudio* ShowStudioDialog(AppContext& context, QWidget* parent);
