// The window's side of the inputs a run needs: a wrong one is named in a message and given the
// focus, and the run does not start.
#pragma once

class QLineEdit;
class QWidget;

// Checks the download path, the file-name template and the maximum length as typed. Returns
// true when all of them can be used; otherwise shows one message over owner naming the first
// wrong field and what it needs, then puts the focus on that field with its text selected.
bool AcceptRunInputs(QWidget* owner, QLineEdit* downloadPath, QLineEdit* fileTemplate,
                     QLineEdit* maxLength);
