// The three typed options a run needs before it may ask the directory anything: the download
// path, the file-name template and the longest station name. Any front end checks them here, so
// that a wrong one is named at once instead of ending a run with stations not saved.
#pragma once

#include <QString>

enum class RunInputField { None, DownloadPath, FileName, MaxLength };

struct RunInputProblem {
    RunInputField field = RunInputField::None;  // None: every input is usable
    QString message;                            // one sentence naming the field and what it needs
};

// Checks, in the window's order: the download path must expand (macros as a run expands them) to
// an absolute folder; the template's file name (its last path step) must be more than dots and
// blanks, and the template must not climb out of the genre folder; the maximum length must be a
// whole number of at least 1. Returns the first problem found.
RunInputProblem CheckRunInputs(const QString& downloadPath, const QString& fileTemplate,
                               const QString& maxLength);
