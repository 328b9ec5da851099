#include "RunInputs.h"

#include "PathMacros.h"
#include "StationFileName.h"

#include <QDir>
#include <QRegularExpression>

namespace {

const QString kMacros[] = {QStringLiteral("%APPPATH%"), QStringLiteral("%TEMP%"),
                           QStringLiteral("%MYDOC%"), QStringLiteral("%APPDATA%")};

// The first macro of the path written in other capitals than its own ("%temp%"), which a run
// leaves as it is.
QString MisspelledMacro(const QString& path) {
    for (const QString& macro : kMacros) {
        for (qsizetype at = path.indexOf(macro, 0, Qt::CaseInsensitive); at >= 0;
             at = path.indexOf(macro, at + 1, Qt::CaseInsensitive)) {
            const QString written = path.mid(at, macro.size());
            if (written != macro) return written;
        }
    }
    return {};
}

QString PathProblem(const QString& path) {
    if (path.trimmed().isEmpty())
        return QStringLiteral(
            "Download Path is empty: it needs a full folder path, or a macro "
            "such as %TEMP%.");
    const QString expanded = ExpandPathMacros(path);
    if (QDir::isAbsolutePath(expanded)) return {};
    const QString misspelled = MisspelledMacro(path);
    if (!misspelled.isEmpty())
        return QStringLiteral(
                   "Download Path \"%1\" is a relative path: %2 is not a macro "
                   "(macros are spelled in capitals, as %3). It needs a full folder "
                   "path.")
            .arg(path, misspelled, misspelled.toUpper());
    if (expanded != path)
        return QStringLiteral(
                   "Download Path \"%1\" comes to \"%2\", a relative path: it needs a "
                   "full folder path.")
            .arg(path, expanded);
    return QStringLiteral(
               "Download Path \"%1\" is a relative path: it needs a full folder path, "
               "or a macro such as %TEMP%.")
        .arg(path);
}

QString TemplateProblem(const QString& fileTemplate) {
    // A run drops the leading dots and blanks of the file's own name (what follows the last
    // separator); a name of nothing else, or no name at all, cannot be written.
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    const QString name = fileTemplate.mid(fileTemplate.lastIndexOf(separators) + 1);
    static const QRegularExpression nothingVisible(QStringLiteral("^[.\\s]*$"));
    if (nothingVisible.match(name).hasMatch())
        return QStringLiteral(
                   "File Name \"%1\" gives no file name: it needs one that is not "
                   "empty, \".\" or \"..\", such as %STATION%_%BITRATE%.")
            .arg(fileTemplate);
    if (!StaysInFolder(fileTemplate))
        return QStringLiteral(
                   "File Name \"%1\" leads out of the genre folder: it needs a name "
                   "that stays inside it.")
            .arg(fileTemplate);
    return {};
}

QString LengthProblem(const QString& maxLength) {
    static const QRegularExpression wholeNumber(QStringLiteral("^\\s*0*[1-9][0-9]*\\s*$"));
    if (wholeNumber.match(maxLength).hasMatch()) return {};
    return QStringLiteral(
               "Max length \"%1\" is not a whole number of 1 or more: it needs one, "
               "such as 40.")
        .arg(maxLength);
}

}  // namespace

RunInputProblem CheckRunInputs(const QString& downloadPath, const QString& fileTemplate,
                               const QString& maxLength) {
    if (QString message = PathProblem(downloadPath); !message.isEmpty())
        return {RunInputField::DownloadPath, message};
    if (QString message = TemplateProblem(fileTemplate); !message.isEmpty())
        return {RunInputField::FileName, message};
    if (QString message = LengthProblem(maxLength); !message.isEmpty())
        return {RunInputField::MaxLength, message};
    return {};
}
