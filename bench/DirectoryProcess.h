// DirectoryProcess: the local directory (radiosift-directory) running as a child process on a
// free port of 127.0.0.1, so that the benchmarks measure the program against a server that
// does not share its process or its event loop.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

class DirectoryProcess {
public:
    struct Options {
        int stationsPerGenre = 60;
        // Makes the child print every request target; read them with takeLog().
        bool log = false;
        // Makes the child wait this long before every answer, as a server further away would.
        int delayMs = 0;
        // Makes every result page and JSON answer list this many entries, whatever was asked.
        int entryCount = 0;
    };

    // Starts the child and waits for the address it listens on; started() tells whether it did.
    explicit DirectoryProcess(const Options& options);
    // Stops the child (SIGTERM, which it handles by closing its connections).
    ~DirectoryProcess();
    DirectoryProcess(const DirectoryProcess&) = delete;
    DirectoryProcess& operator=(const DirectoryProcess&) = delete;

    bool started() const { return !m_hostPort.isEmpty(); }
    // "127.0.0.1:PORT".
    QString hostPort() const { return m_hostPort; }
    // Points the program's directory hosts (RADIOSIFT_CLASSIC_HOST, RADIOSIFT_MAIN_HOST) and its
    // JSON directory (RADIOSIFT_RADIO_BROWSER_URL) here; with the classic host set the program
    // harvests the classic pages unless RADIOSIFT_DIRECTORY says otherwise.
    void becomeTheProgramsDirectory() const;

    // The request targets logged since the last call, oldest first. Waits until the child has
    // printed at least 'expected' of them or has been quiet for a second.
    QStringList takeLog(qsizetype expected);

private:
    QProcess m_process;
    QString m_hostPort;
    QByteArray m_pending;  // output read but not yet cut into lines
    QStringList m_lines;
    void readLines();
};
