// The rich-text object's document bytes: an RTF reader into QTextDocument and an RTF writer out of
// it, covering what a word processor's simple documents use (fonts, sizes, styles, colours,
// paragraph alignment and indents, bullets and numbering, tabs, line breaks, PNG/JPEG pictures).
//
// The reader is one linear pass with bounded state: group nesting stops counting at a fixed depth,
// numbers are clamped, every input byte yields at most one character, and pictures share a fixed
// pixel budget, so damaged or hostile bytes read as much as they can and never hang or blow up.
//
// Formatting the RTF leaves unsaid (no \fs, no \f with a font table entry, no \cf) is left unset
// in the document, so the control's own font and colours show through; what RTF does say (bold
// off, left alignment) is set explicitly so the control's font style does not leak into it.
#pragma once

#include <QByteArray>

class QTextDocument;

// Reads RTF bytes into doc (cleared first). Returns false only when the bytes are not RTF at all
// (they do not begin with "{\rtf"); then doc is left empty and the caller shows the bytes as plain
// text. Damaged RTF reads as much as it can.
bool RtfToDocument(const QByteArray& rtf, QTextDocument& doc);

// Writes doc as RTF 1: ANSI code page 1252, font and colour tables, per-character formatting as
// control words, paragraphs with alignment, indents and spacing, lists as bullets or numbers in
// both the old (\pntext + \pn) and the label-only form, characters outside the code page as \uN
// with one '?' fallback. The output is 7-bit ASCII.
QByteArray DocumentToRtf(const QTextDocument& doc);

// The document bytes of the rich-text object as shown: RTF when plainText is off and the bytes
// begin with "{\rtf"; otherwise the bytes as text (code page 1252, CR, LF or CRLF line breaks).
void LoadRichTextBytes(const QByteArray& bytes, bool plainText, QTextDocument& doc);
