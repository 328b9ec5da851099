#include "Misbehaviour.h"

QByteArray withLineEnds(QByteArray text, LineEnds ends) {
    switch (ends) {
        case LineEnds::CrLf:
            return text.replace("\n", "\r\n");
        case LineEnds::Cr:
            return text.replace('\n', '\r');
        case LineEnds::Lf:
            break;
    }
    return text;
}
