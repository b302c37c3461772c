#include "QtTestRegistry.h"

#include "ScriptedServices.h"
#include "documents/WordDocument.h"
#include "windows/frame/QtServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Waits, without blocking, for the message box that the code under test
// opens, hands it to `act` (which must close it), and gives up after a
// number of event-loop turns so that no test can hang on a modal dialog.
void whenBoxOpens(std::function<void(QMessageBox*)> act, int turnsLeft = 200) {
    QTimer::singleShot(0, qApp, [act = std::move(act), turnsLeft]() mutable {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                act(box);
                return;
            }
        }
        if (turnsLeft > 0)
            whenBoxOpens(std::move(act), turnsLeft - 1);
    });
}

QStringList buttonTexts(QMessageBox* box) {
    QStringList texts;
    for (QAbstractButton* b : box->buttons())
        texts.append(b->text());
    texts.sort();
    return texts;
}

} // namespace

class QtServices_Test : public QObject {
    Q_OBJECT
private slots:
    void carriageReturnsBreakLines() {
        QCOMPARE(QtMessageService::displayText(QStringLiteral("Tronco n. 3:\r- manca\r\nfine")),
                 QStringLiteral("Tronco n. 3:\n- manca\nfine"));
    }

    void questionHasItalianButtonsAndAnswersYes() {
        QtMessageService service;
        QStringList seen;
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenBoxOpens([&](QMessageBox* box) {
            seen = buttonTexts(box);
            title = box->windowTitle();
            icon = box->icon();
            box->button(QMessageBox::Yes)->click();
        });
        const MsgAnswer answer =
            service.MsgBox(QStringLiteral("Procedere?"), MsgButtons::YesNoCancel,
                           NoticeIcon::Question, QStringLiteral("Titolo"));
        QCOMPARE(answer, MsgAnswer::Yes);
        QCOMPARE(seen, (QStringList{"&Annulla", "&No", QString::fromUtf8("&S\u00ec")}));
        QCOMPARE(title, QStringLiteral("Titolo"));
        QCOMPARE(icon, QMessageBox::Question);
    }

    void exitQuestionDefaultsToNo() {
        QtMessageService service;
        bool noIsDefault = false;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenBoxOpens([&](QMessageBox* box) {
            noIsDefault =
                static_cast<QAbstractButton*>(box->defaultButton()) == box->button(QMessageBox::No);
            icon = box->icon();
            box->defaultButton()->click();
        });
        const MsgAnswer answer = service.MsgBoxDefaultNo(
            QStringLiteral("Vuoi uscire?"), NoticeIcon::Question, QStringLiteral("Attenzione"));
        QVERIFY(noIsDefault);
        QCOMPARE(icon, QMessageBox::Question);
        QCOMPARE(answer, MsgAnswer::No);
    }

    // Each answer has its letter: the key alone picks it.
    void answersTakeTheirLetters() {
        QtMessageService service;
        const std::pair<Qt::Key, MsgAnswer> keys[] = {{Qt::Key_S, MsgAnswer::Yes},
                                                      {Qt::Key_N, MsgAnswer::No},
                                                      {Qt::Key_A, MsgAnswer::Cancel}};
        for (const auto& [key, expected] : keys) {
            whenBoxOpens([key = key](QMessageBox* box) {
                QTest::keyClick(box, key);
                // A box the key left open is closed by the test.
                QTimer::singleShot(500, box, [box] { box->done(QMessageBox::Ok); });
            });
            QCOMPARE(service.MsgBox(QStringLiteral("Procedere?"), MsgButtons::YesNoCancel,
                                    NoticeIcon::Question, QStringLiteral("Titolo")),
                     expected);
        }
    }

    // The window manager writes the title in the box's own title bar and
    // cuts it where the box is narrower: the exit's warning lives only
    // there, so the box is made wide enough for it.
    void boxIsWideEnoughForItsTitle() {
        QtMessageService service;
        const QString title = QStringLiteral("Attenzione: i dati non archiviati andranno persi !");
        int width = 0;
        int titleWidth = 0;
        whenBoxOpens([&](QMessageBox* box) {
            QFont bold = box->font();
            bold.setBold(true);
            titleWidth = QFontMetrics(bold).horizontalAdvance(title);
            width = box->width();
            box->button(QMessageBox::No)->click();
        });
        service.MsgBoxDefaultNo(QStringLiteral("Vuoi uscire da Tubarex?"), NoticeIcon::Question,
                                title);
        QVERIFY(titleWidth > 0);
        // Room beside the title for the window manager's icon and buttons.
        QVERIFY2(width >= titleWidth + 100,
                 qPrintable(QStringLiteral("%1 < %2 + 100").arg(width).arg(titleWidth)));
    }

    void iconsMapToTheFourKinds() {
        QtMessageService service;
        const std::pair<NoticeIcon, QMessageBox::Icon> cases[] = {
            {NoticeIcon::Critical, QMessageBox::Critical},
            {NoticeIcon::Exclamation, QMessageBox::Warning},
            {NoticeIcon::Information, QMessageBox::Information}};
        for (const auto& [notice, expected] : cases) {
            QMessageBox::Icon icon = QMessageBox::NoIcon;
            whenBoxOpens([&icon](QMessageBox* box) {
                icon = box->icon();
                box->button(QMessageBox::Ok)->click();
            });
            QCOMPARE(service.MsgBox(QStringLiteral("x"), MsgButtons::Ok, notice, QString()),
                     MsgAnswer::Ok);
            QCOMPARE(icon, expected);
        }
    }

    void musicWithoutFileOrPlayerIsSilent() {
        QtMusicService silent(QtMusicService::Player{});
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Sigla.mid"));
        QFile(file).open(QIODevice::WriteOnly);
        silent.setFileName(file);
        silent.command(QStringLiteral("open"));
        silent.command(QStringLiteral("play"));
        QVERIFY(!silent.isPlaying());

        QtMusicService missing(QtMusicService::Player{QStringLiteral("sleep"), {"30"}});
        missing.setFileName(dir.filePath(QStringLiteral("nessuno.mid")));
        missing.command(QStringLiteral("open"));
        missing.command(QStringLiteral("play"));
        QVERIFY(!missing.isPlaying());
    }

    void musicPlaysUntilPausedOrClosed() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Sigla.mid"));
        QFile(file).open(QIODevice::WriteOnly);
        // A player that would run for a long time unless stopped.
        QtMusicService music(QtMusicService::Player{QStringLiteral("sleep"), {"30"}});
        music.setFileName(file);
        music.command(QStringLiteral("play"));
        QVERIFY2(!music.isPlaying(), "play before open");
        music.command(QStringLiteral("open"));
        music.command(QStringLiteral("play"));
        QVERIFY(music.isPlaying());
        music.command(QStringLiteral("pause"));
        QVERIFY(!music.isPlaying());
        music.command(QStringLiteral("play"));
        QVERIFY(music.isPlaying());
        music.command(QStringLiteral("close"));
        QVERIFY(!music.isPlaying());
        music.command(QStringLiteral("play"));
        QVERIFY2(!music.isPlaying(), "play after close");
    }

    void documentThatCannotBeWrittenIsReportedAndNotOpened() {
        QTemporaryDir dir;
        ScriptedMessages messages;
        QtDocumentService documents(messages);
        WordDocument document;
        document.TypeText(QStringLiteral("Tubarex\r"));
        const QString path = dir.filePath(QStringLiteral("manca/Tubarex-guida.docx"));
        QVERIFY(!documents.SaveAndShowDocument(document, path));
        QCOMPARE(messages.shown.size(), size_t(1));
        QCOMPARE(messages.shown[0].icon, NoticeIcon::Critical);
        QCOMPARE(messages.shown[0].title, QStringLiteral("Tubarex"));
        QVERIFY(messages.shown[0].text.contains(path));
        QVERIFY(!QFile::exists(path));
    }
};

TUBAREX_QT_TEST(QtServices_Test)
#include "QtServicesTest.moc"
