#include "RunOptions.h"

#include "frmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>
#include <array>

namespace {

bool Select(QComboBox* list, const QString& text) {
    const int index = list->findText(text, Qt::MatchExactly);
    if (index < 0) return false;
    list->setCurrentIndex(index);
    return true;
}

// The options that take a value, by the name they go by on the command line.
const std::array<std::pair<const char*, QString RunOptions::*>, 8> kValued = {{
    {"--download", &RunOptions::downloadPath},
    {"--genre", &RunOptions::genre},
    {"--number", &RunOptions::number},
    {"--format", &RunOptions::format},
    {"--template", &RunOptions::fileTemplate},
    {"--min-bitrate", &RunOptions::minBitrate},
    {"--stream", &RunOptions::stream},
    {"--name-length", &RunOptions::nameLength},
}};

}  // namespace

QStringList RunOptions::toArguments() const {
    QStringList arguments;
    for (const auto& [name, field] : kValued) arguments << QLatin1String(name) << this->*field;
    if (fastScan) arguments << QStringLiteral("--fast");
    return arguments;
}

std::optional<RunOptions> RunOptions::fromArguments(const QStringList& arguments) {
    RunOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--fast")) {
            options.fastScan = true;
            continue;
        }
        const auto valued = std::find_if(kValued.begin(), kValued.end(), [&](const auto& option) {
            return arguments[i] == QLatin1String(option.first);
        });
        if (valued == kValued.end() || i + 1 >= arguments.size()) return std::nullopt;
        options.*(valued->second) = arguments[++i];
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
