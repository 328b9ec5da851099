// Renders the program's logo into the PNG files of an icon theme at build time, so that the
// installed icon is the very picture the window shows.
//
//   radiosift_render_icon FOLDER NAME SIZE...   writes FOLDER/<SIZE>x<SIZE>/apps/NAME.png
#include "Artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    // Drawing into a pixmap needs a platform but never a screen: builds run without one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: radiosift_render_icon FOLDER NAME SIZE...\n");
        return 2;
    }
    for (const QString& sizeText : arguments.mid(3)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(arguments[1]).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(folder, arguments[2]);
        if (!ok || size <= 0 || !QDir().mkpath(folder) ||
            !Artwork::logoPixmap(size).save(file, "PNG")) {
            std::fprintf(stderr, "radiosift_render_icon: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
