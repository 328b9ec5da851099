// The live directory's tags of each genre the window offers, read from the table that the
// program carries as a resource (genre-tags.tsv).
#pragma once

#include <QString>
#include <QStringList>

// The whole tags that make up the genre, in the table's order; none for a genre the table does
// not list (TopTen and Search, which take no tag).
QStringList GenreTags(const QString& genre);
