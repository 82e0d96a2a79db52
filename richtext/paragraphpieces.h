#pragma once

#include <QString>

class QMimeData;
class QTextBlock;
class QTextBlockFormat;
class QTextCursor;
class QTextDocument;

// Qt lays a paragraph out whole at every change, in time that grows faster
// than its length: a paragraph of a million characters (pasted base64, a
// line of JSON) would keep the window from showing for minutes and freeze
// it for seconds at every key. The board therefore holds a long paragraph
// as pieces of a few thousand characters, each a block of its own, marked
// as continuing the block before it. The pieces are a matter of the view
// only: the RTF stream, the plain text and what is copied join them into
// the paragraph they are.
namespace ParagraphPieces {

// A paragraph is cut when it is longer than this.
inline constexpr int kPieceLength = 4000;

// The block is a piece that continues the paragraph of the block before.
bool continuesParagraph(const QTextBlock &block);
bool continuesParagraph(const QTextBlockFormat &format);

// Cuts every block from the one at `from` to the one at `to` that is longer
// than kPieceLength into pieces, after a blank or a Chinese character where
// one is near the cut. Not part of the undo history when the document has
// none; otherwise one step with the edit around it.
void cut(QTextDocument &document, int from = 0, int to = -1);

// Joins the pieces of `document` back into their paragraphs.
void join(QTextDocument &document);

// The document's text with its paragraphs whole, one per line.
QString plainText(const QTextDocument &document);

// Before the block at `cursor` is split: a new paragraph starts there, so
// the block after the cursor must not continue the one before.
void insertParagraph(QTextCursor &cursor);

} // namespace ParagraphPieces
