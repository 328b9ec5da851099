#include "PlaylistWriters.h"

#include "FolderHandle.h"
#include "PlsReader.h"
#include "StationNameCleaner.h"
#include "TextCodec.h"

namespace {

const QString crlf = QStringLiteral("\r\n");

// Text for an ASX file, which players read as XML: no control characters, markup characters
// escaped and every character outside ASCII as a numeric reference, so the file is plain ASCII
// and still opens with "<ASX", as players require.
QString AsxText(const QString& text) {
    QString escaped;
    // toHtmlEscaped escapes "&", "<", ">" and '"'.
    for (const char32_t c : WithoutControlCharacters(text).toHtmlEscaped().toUcs4())
        escaped += c < 0x80 ? QString(QChar(c)) : QStringLiteral("&#%1;").arg(uint(c));
    return escaped;
}

}  // namespace

bool WriteTextFile(const FolderHandle& folder, const QString& name, const QString& text) {
    return folder.replaceFile(name, TextCodec::toWindows1252(QString(text + crlf)));
}

bool WriteAsxPlaylist(const FolderHandle& folder, const QString& name, const QString& playlistText,
                      const QString& title) {
    return WriteAsxFile(folder, name, PickStreamAddress(playlistText), title);
}

bool WriteAsxFile(const FolderHandle& folder, const QString& name, const QString& stream,
                  const QString& title) {
    const QString address = AsxText(stream);
    QString text;
    text += QStringLiteral("<ASX VERSION=\"3.0\">") + crlf;
    text += QStringLiteral("<Title>") + AsxText(title) + QStringLiteral("</Title>") + crlf;
    text += QStringLiteral("<Entry>") + crlf;
    text += QStringLiteral("<ref href=\"") + address + QStringLiteral("\"/>") + crlf;
    text += QStringLiteral("</Entry>") + crlf;
    text += QStringLiteral("</ASX>") + crlf;
    return WriteTextFile(folder, name, text);
}

bool WriteM3uPlaylist(const FolderHandle& folder, const QString& name, const QString& playlistText,
                      const QString& title) {
    return WriteM3uFile(folder, name, PickStreamAddress(playlistText), title);
}

bool WriteM3uFile(const FolderHandle& folder, const QString& name, const QString& stream,
                  const QString& title) {
    const QString address = WithoutControlCharacters(stream);
    QString text;
    text += QStringLiteral("#EXTM3U") + crlf;
    text += QStringLiteral("#EXTINF:-1,") + WithoutControlCharacters(title) + crlf;
    text += address + crlf;
    return WriteTextFile(folder, name, text);
}
