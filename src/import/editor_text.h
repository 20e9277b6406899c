#pragma once
// The book text as the core keeps it (CR LF line ends) and as the editor's
// plain-text control keeps it (one "\n" per line end). Positions the core
// works out in the CR LF text (chapter rows) are moved to the control's.

#include <QString>

// CR LF, lone CR and lone LF all become "\n".
QString toEditorText(const QString &text);
// Every "\n" becomes CR LF.
QString fromEditorText(const QString &text);
// The position in the editor's text of `position` in the CR LF text `text`.
qsizetype editorPosition(const QString &text, qsizetype position);
