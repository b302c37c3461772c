#include "windows/frame/ProgramIcon.h"

#include "documents/ProgramIconArt.h"

#include <QGuiApplication>

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
    return icon;
}

QPixmap ProgramIconPicture(int size) {
    const QIcon own = QGuiApplication::windowIcon();
    if (!own.isNull())
        return own.pixmap(size, size);
    return QPixmap::fromImage(ProgramIconImage(size));
}
