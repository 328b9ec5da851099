#include "DirectoryProcess.h"

#include <QRegularExpression>

DirectoryProcess::DirectoryProcess(const Options& options) {
    QStringList arguments = {QStringLiteral("--port"), QStringLiteral("0"),
                             QStringLiteral("--stations-per-genre"),
                             QString::number(options.stationsPerGenre)};
    if (options.log) arguments << QStringLiteral("--log");
    if (options.delayMs > 0)
        arguments << QStringLiteral("--delay-ms") << QString::number(options.delayMs);
    if (options.entryCount > 0)
        arguments << QStringLiteral("--entry-count") << QString::number(options.entryCount);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setProgram(QStringLiteral(RADIOSIFT_DIRECTORY_EXE));
    m_process.setArguments(arguments);
    m_process.start();
    if (!m_process.waitForStarted(10000)) return;

    // The first line names the address; a large catalogue takes a moment to generate.
    static const QRegularExpression listening(QStringLiteral("listening on ([0-9.]+:[0-9]+)"));
    while (m_process.state() == QProcess::Running) {
        if (!m_process.canReadLine() && !m_process.waitForReadyRead(60000)) break;
        if (!m_process.canReadLine()) continue;
        const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
        const QRegularExpressionMatch match = listening.match(line);
        if (match.hasMatch()) {
            m_hostPort = match.captured(1);
            break;
        }
    }
}

DirectoryProcess::~DirectoryProcess() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
}

void DirectoryProcess::becomeTheProgramsDirectory() const {
    qputenv("RADIOSIFT_CLASSIC_HOST", m_hostPort.toLatin1());
    qputenv("RADIOSIFT_MAIN_HOST", m_hostPort.toLatin1());
    qputenv("RADIOSIFT_RADIO_BROWSER_URL", "http://" + m_hostPort.toLatin1());
}

void DirectoryProcess::readLines() {
    m_pending += m_process.readAllStandardOutput();
    qsizetype end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        m_lines << QString::fromUtf8(m_pending.left(end));
        m_pending.remove(0, end + 1);
    }
}

QStringList DirectoryProcess::takeLog(qsizetype expected) {
    readLines();
    while (m_lines.size() < expected && m_process.waitForReadyRead(1000)) readLines();
    return std::exchange(m_lines, {});
}
