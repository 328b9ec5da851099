// The options of a run as the hardening tests set them in the main window's controls, and as
// they hand them to the child program on its command line.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class frmMain;

struct RunOptions {
    QString downloadPath;             // txtDL
    QString genre = QStringLiteral("Rock");
    QString number = QStringLiteral("50");  // CmbNumber: with Fast Scan off, 2 pages of 25
    bool fastScan = false;
    QString format = QStringLiteral("PLS file");
    QString fileTemplate = QStringLiteral("%RN%");  // one file per station id
    QString minBitrate;               // the empty entry: no minimum
    QString stream = QStringLiteral("<all>");
    QString nameLength = QStringLiteral("100");

    QStringList toArguments() const;
    // Empty when an argument is unknown or lacks its value.
    static std::optional<RunOptions> fromArguments(const QStringList& arguments);
};

// Sets the options in the window's controls; false when a list lacks the entry named.
bool ApplyRunOptions(frmMain& window, const RunOptions& options);
