// Text handling of a page fetch: line ends and response header lines.
#pragma once

#include <QString>
#include <QStringList>

// Removes every LF, then turns every CR into CR LF: CR LF pages keep their line ends, bare-LF
// pages become one line, bare-CR pages get CR LF.
QString NormaliseLineEnds(const QString& text);
// The header lines of a response, one item per CR LF-ended line (an empty line gives an empty
// item); text after the last CR LF is dropped, and stray CR and LF characters are removed.
QStringList SplitHeaderLines(const QString& headers);
