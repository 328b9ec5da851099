// A shell for tests: answers the folder picker as told and records what would have been opened,
// so no real dialog or file manager appears. Installed for its lifetime.
#pragma once

#include "mBrowseFolder.h"

#include <QStringList>
#include <vector>

class FakeShell final : public Shell {
public:
    FakeShell() : m_previous(InstallShell(this)) {}
    ~FakeShell() override { InstallShell(m_previous); }
    FakeShell(const FakeShell&) = delete;
    FakeShell& operator=(const FakeShell&) = delete;

    // One opening of the picker, as the program asked for it.
    struct PickerCall {
        QWidget* owner = nullptr;
        QString startFolder;
    };

    // What the user does in the next pickers: selects these folders in turn, then chooses
    // answer (empty text: cancels).
    QStringList selections;
    QString answer;

    std::vector<PickerCall> pickerCalls;
    std::vector<QUrl> opened;

    void PickFolder(QWidget* owner, const QString&, const QString& startFolder,
                    const std::function<void(const QString&)>& selectionChanged,
                    const std::function<void(const QString&)>& chosen) override {
        pickerCalls.push_back({owner, startFolder});
        for (const QString& folder : selections) selectionChanged(folder);
        chosen(answer);
    }
    void OpenUrl(const QUrl& url, const std::function<void()>&) override { opened.push_back(url); }

private:
    Shell* m_previous;
};
