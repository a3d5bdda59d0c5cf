// kx7214-write-icons DIR: writes the panel's application icon, painted as the panel paints its
// window icon, into DIR in the layout of the desktop's icon theme (DIR/NxN/apps/kx7214-panel.png),
// so that the package's menu entry shows the same picture as the running panel.
#include <QDir>
#include <QImage>
#include <QString>
#include <cstdio>

#include "res/bitmap_painters.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kx7214-write-icons DIR\n");
        return 64;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(root).arg(side);
        const QString file = dir + QStringLiteral("/kx7214-panel.png");
        if (!QDir().mkpath(dir) || !kx::res::PaintAppIcon(side).save(file, "PNG")) {
            std::fprintf(stderr, "kx7214-write-icons: cannot write %s\n", qPrintable(file));
            return 73;
        }
    }
    return 0;
}
