#include "DownloadTime.h"

#include <QLocale>
#include <QTime>

float SecondsSinceMidnight() {
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

QString DownloadTimeLine(float start, float end) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const double seconds = static_cast<double>(end - start);
    return QStringLiteral("Pure HTML doc dwnl time=") + locale.toString(seconds, 'f', 3) +
           QStringLiteral(" secs");
}
