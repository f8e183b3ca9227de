#pragma once

#include <QObject>
#include <QPointer>

class QSyntaxHighlighter;
class QTextEdit;

// Links in the report box, for as long as this object lives: web addresses in the box's text are
// shown as links (on screen only: neither the saved file nor the printout carries the styling), a
// pointing hand shows over them, and a left-button press on one opens exactly that address, once.
// Every mouse event still reaches the box unchanged.
class ReportLinks final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ReportLinks)

public:
    explicit ReportLinks(QTextEdit *reportEdit);
    ~ReportLinks() override;

    // The link under a point of the box's viewport, or an empty string.
    QString linkAt(QPoint point) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QTextEdit> m_edit;
    QPointer<QSyntaxHighlighter> m_highlighter;
};
