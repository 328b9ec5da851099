// The one rule for the stream addresses that go into playlists, whichever directory gave them:
// read as players read them, kept only when they lead to a web stream.
#pragma once

#include <QString>

// The address in its encoded form (plain ASCII: non-ASCII letters of the path and query as
// percent-escapes, a non-ASCII host in its ASCII form) when it is an http or https address with
// a host; empty otherwise. It is read tolerantly, as players read addresses: blanks around it
// are ignored, and "|", "[ ]", "{ }" or a blank in the path or query do not make it fail.
QString EncodedStreamAddress(const QString& address);
