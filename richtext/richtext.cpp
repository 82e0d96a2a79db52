#include "richtext/richtext.h"

#include "files/gbk.h"
#include "richtext/documentbuilder.h"
#include "richtext/paragraphpieces.h"
#include "richtext/rtfreader.h"
#include "richtext/rtfwriter.h"

#include <QStringDecoder>
#include <QTextDocument>

namespace {

QString plainText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? Gbk::decode(bytes) : text;
}

} // namespace

namespace RichText {

QByteArray save(const QTextDocument &board)
{
    if (Rtf::KeptEncodings *kept = Rtf::KeptEncodings::of(board))
        return kept->write();
    return Rtf::write(board);
}

void load(const QByteArray &stored, QTextDocument &board)
{
    const bool undoEnabled = board.isUndoRedoEnabled();
    board.setUndoRedoEnabled(false);
    if (Rtf::isRtf(stored))
        Rtf::read(stored, board);
    else
        DocumentBuilder(board).appendText(plainText(stored), QTextCharFormat());
    ParagraphPieces::cut(board);
    board.setUndoRedoEnabled(undoEnabled);
    Rtf::KeptEncodings::attach(board);
}

} // namespace RichText
