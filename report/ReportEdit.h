#pragma once

#include <QTextEdit>

// The report's text box. Whatever reaches it from outside (a paste by any key or menu, a middle
// click, a drop) comes in as the plain text the source offers, or not at all: the report holds only
// the runs it was composed with and what the user types.
//
// It wraps as a stock QTextEdit does, at word boundaries or anywhere inside a word wider than a
// line, except while it holds a run of more than kLongestWordWrappedRun characters without a
// blank: then it wraps anywhere. Qt's word wrapping scans such a run to its end for every line
// that starts inside it, in time that grows with the square of the run (a megabyte took a minute);
// wrapping anywhere takes time in proportion to the text.
class ReportEdit final : public QTextEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportEdit)

public:
    // The longest run without a blank that is still wrapped at word boundaries: Qt lays out a
    // paste of it in the report box within about 0.3 s.
    static constexpr int kLongestWordWrappedRun = 60000;

    explicit ReportEdit(QWidget *parent = nullptr);

protected:
    void insertFromMimeData(const QMimeData *source) override;

private:
    void watchLongRuns(int from, int charsRemoved, int charsAdded);
    bool findLongRun(int from, int to);
    void resumeLayout();

    // Where a run longer than kLongestWordWrappedRun starts, -1 when the document holds none.
    // Edits before it move it; an edit inside it sends the box looking for one again.
    int m_longRunStart = -1;
    int m_longRunEnd = -1;
};
