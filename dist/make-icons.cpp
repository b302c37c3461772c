// tubarex-make-icons FOLDER: writes the program's icon for an installation,
// from the same drawing as the window icon: FOLDER/scalable/apps/tubarex.svg
// and FOLDER/NxN/apps/tubarex.png for the usual sizes of the hicolor theme.
#include "documents/ProgramIconArt.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Painting needs the GUI machinery; no window is ever opened.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: tubarex-make-icons CARTELLA\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const auto folder = [&](const QString& name) {
        const QString path = root.filePath(name + QStringLiteral("/apps"));
        QDir().mkpath(path);
        return QDir(path).filePath(QStringLiteral("tubarex"));
    };

    constexpr int Design = 32; // the drawing's own square
    QSvgGenerator svg;
    svg.setFileName(folder(QStringLiteral("scalable")) + QStringLiteral(".svg"));
    svg.setSize(QSize(Design, Design));
    svg.setViewBox(QRect(0, 0, Design, Design));
    svg.setTitle(QStringLiteral("Tubarex"));
    svg.setDescription(QStringLiteral("Tubarex: perdite di carico nelle tubazioni"));
    {
        QPainter painter(&svg);
        DrawProgramIcon(painter, Design);
    }

    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString name = QStringLiteral("%1x%1").arg(size);
        if (!ProgramIconImage(size).save(folder(name) + QStringLiteral(".png"))) {
            std::fprintf(stderr, "tubarex-make-icons: impossibile scrivere l'icona %s\n",
                         qPrintable(name));
            return 1;
        }
    }
    return 0;
}
