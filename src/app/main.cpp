// Radiosift: harvests internet-radio stations from a station directory into playlist files.
#include "frmMain.h"

#include "DirectoryHosts.h"
#include "Version.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Radiosift"));
    // Desktops find the menu entry, and with it the icon, by this name.
    QApplication::setDesktopFileName(QStringLiteral("com.example.Radiosift"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(RadiosiftVersion::Major)
                                            .arg(RadiosiftVersion::Minor)
                                            .arg(RadiosiftVersion::Revision));
    QString complaint;
    DirectoryHosts::chosenDirectory(&complaint);
    if (!complaint.isEmpty()) std::fprintf(stderr, "radiosift: %s\n", qPrintable(complaint));
    frmMain window;
    window.show();
    return app.exec();
}
