#pragma once
// Keeps the report box responsive whatever is pasted into it.
//
// Qt lays out a word that is wider than a line in time proportional to the word's length for
// each line it fills, so a long run of text without a blank (a megabyte pasted from somewhere)
// takes minutes to lay out when lines break at word boundaries. While the document holds such a
// run, its lines break anywhere instead, which lays out in linear time; once no such run is left,
// lines break at word boundaries again.

#include <QObject>
#include <QStringView>

class QTextEdit;

// The length of the longest run of characters without a blank in text.
qsizetype longestUnbrokenRun(QStringView text);

// Runs up to this length keep word-boundary wrapping: each line then costs at most this much.
inline constexpr qsizetype kLongestWrappedRun = 256;

class LongRunWrap final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LongRunWrap)

public:
    // Watches the editor's document; lives as long as the editor.
    explicit LongRunWrap(QTextEdit *editor);

    // Whether lines currently break anywhere.
    bool breaksAnywhere() const { return m_anywhere; }

private:
    void contentsChanged(int position, int removed, int added);
    bool hasLongRun(int from, int to) const;
    void setBreakAnywhere(bool anywhere);

    QTextEdit *m_editor;
    bool m_anywhere = false;
};
