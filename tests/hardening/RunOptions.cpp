#include "RunOptions.h"

#include "frmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {

bool Select(QComboBox* list, const QString& text) {
    const int index = list->findText(text, Qt::MatchExactly);
    if (index < 0) return false;
    list->setCurrentIndex(index);
    return true;
}

}  // namespace

QStringList RunOptions::toArguments() const {
    QStringList arguments = {QStringLiteral("--download"), downloadPath,
                             QStringLiteral("--genre"),    genre,
                             QStringLiteral("--number"),   number,
                             QStringLiteral("--format"),   format,
                             QStringLiteral("--template"), fileTemplate,
                             QStringLiteral("--min-bitrate"), minBitrate,
                             QStringLiteral("--stream"),   stream,
                             QStringLiteral("--name-length"), nameLength};
    if (fastScan) arguments << QStringLiteral("--fast");
    return arguments;
}

std::optional<RunOptions> RunOptions::fromArguments(const QStringList& arguments) {
    RunOptions options;
    const QList<std::pair<QString, QString*>> valued = {
        {QStringLiteral("--download"), &options.downloadPath},
        {QStringLiteral("--genre"), &options.genre},
        {QStringLiteral("--number"), &options.number},
        {QStringLiteral("--format"), &options.format},
        {QStringLiteral("--template"), &options.fileTemplate},
        {QStringLiteral("--min-bitrate"), &options.minBitrate},
        {QStringLiteral("--stream"), &options.stream},
        {QStringLiteral("--name-length"), &options.nameLength}};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--fast")) {
            options.fastScan = true;
            continue;
        }
        bool known = false;
        for (const auto& [name, field] : valued) {
            if (arguments[i] != name) continue;
            if (i + 1 >= arguments.size()) return std::nullopt;
            *field = arguments[++i];
            known = true;
        }
        if (!known) return std::nullopt;
    }
    return options;
}

bool ApplyRunOptions(frmMain& window, const RunOptions& options) {
    window.txtDL->setText(options.downloadPath);
    window.chk100->setChecked(options.fastScan);
    window.txtFormat->setText(options.fileTemplate);
    window.txtPlsSize->setText(options.nameLength);
    return Select(window.CmbGenre, options.genre) && Select(window.CmbNumber, options.number) &&
           Select(window.cmbFormat, options.format) &&
           Select(window.cmbMinBit, options.minBitrate) && Select(window.cmbStream, options.stream);
}
