// Radiosift: harvests internet-radio stations from a station directory into playlist files.
#include "frmMain.h"

#include "Version.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Radiosift"));
    // Desktops find the menu entry, and with it the icon, by this name.
    QApplication::setDesktopFileName(QStringLiteral("com.example.Radiosift"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(RadiosiftVersion::Major)
                                            .arg(RadiosiftVersion::Minor)
                                            .arg(RadiosiftVersion::Revision));
    frmMain window;
    window.show();
    return app.exec();
}
