#pragma once

#include <QTextEdit>

#include <memory>

class QTextBlock;

// The report's text box. Whatever reaches it from outside (a paste by any key or menu, a middle
// click, a drop) comes in as the plain text the source offers, or not at all: the report holds only
// the runs it was composed with and what the user types.
//
// It wraps as a stock QTextEdit does, at word boundaries or anywhere inside a word wider than a
// line, except while that would cost too much: then it wraps anywhere. Qt's word wrapping scans an
// unbroken run to its end for every line that starts inside it, in time that grows with the square
// of the run, summed over every such run of a paragraph (a key typed in it lays the paragraph out
// again) and of the document (a paste lays it all out); wrapping anywhere takes time in proportion
// to the text.
class ReportEdit final : public QTextEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportEdit)

public:
    // What word wrapping may cost, counted as the sum of the squares of the lengths of the runs
    // without a blank: as much as one run of kLongestWordWrappedRun characters costs (little enough
    // that a key typed into a paragraph of kFreeLength characters holding it is laid out again
    // before the next key comes), and for a longer paragraph or document as much more as it is
    // longer. Runs of up to kShortestCountedRun characters fit in a line and are not counted.
    static constexpr int kLongestWordWrappedRun = 10000;
    static constexpr int kFreeLength = 100 * 1024;
    static constexpr int kShortestCountedRun = 256;

    explicit ReportEdit(QWidget *parent = nullptr);

protected:
    void insertFromMimeData(const QMimeData *source) override;

private:
    struct WrapCosts;
    class ParagraphCost;

    void measureEdit(int from, int charsRemoved, int charsAdded);
    void measure(QTextBlock block);
    void settleWrapMode();
    void resumeLayout();

    // The document's word-wrapping cost, kept by the paragraphs' own costs (their user data), which
    // share it since the document and its paragraphs go after this box's members.
    std::shared_ptr<WrapCosts> m_costs;
};
