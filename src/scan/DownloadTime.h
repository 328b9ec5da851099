// The clock of the timing line, and the line itself.
#pragma once

#include <QString>

// Seconds since midnight, local time, in single precision as the timing line has always used.
float SecondsSinceMidnight();
// "Pure HTML doc dwnl time=" + the seconds as "###0.##0" in the locale's notation + " secs".
QString DownloadTimeLine(float start, float end);
