#include "RunInputsPrompt.h"

#include "RunInputs.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMessageBox>

bool AcceptRunInputs(QWidget* owner, QLineEdit* downloadPath, QLineEdit* fileTemplate,
                     QLineEdit* maxLength) {
    const RunInputProblem problem =
        CheckRunInputs(downloadPath->text(), fileTemplate->text(), maxLength->text());
    QLineEdit* field = nullptr;
    switch (problem.field) {
        case RunInputField::None:
            return true;
        case RunInputField::DownloadPath:
            field = downloadPath;
            break;
        case RunInputField::FileName:
            field = fileTemplate;
            break;
        case RunInputField::MaxLength:
            field = maxLength;
            break;
    }
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), problem.message,
                    QMessageBox::Ok, owner);
    box.exec();
    // After the message, where the focus would otherwise return to the button that ran.
    field->activateWindow();
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    return false;
}
