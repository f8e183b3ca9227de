#include "GuiTestSupport.h"
#include "report/LinkDetection.h"
#include "report/ReportLinks.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

QStringList Found(const QString &text)
{
    QStringList links;
    for (const LinkSpan &span : findLinks(text))
        links << text.mid(span.start, span.length);
    return links;
}

TEST(FindLinks, Spans)
{
    EXPECT_EQ(Found("see http://example.com."), QStringList{"http://example.com"});
    EXPECT_EQ(Found("(https://a.example/x?y=1&z=2), then"), QStringList{"https://a.example/x?y=1&z=2"});
    EXPECT_EQ(Found("www.example.org! and ftp://files.example.net/a;"),
              (QStringList{"www.example.org", "ftp://files.example.net/a"}));
    EXPECT_EQ(Found("mail mailto:ann@example.com?"), QStringList{"mailto:ann@example.com"});
    EXPECT_EQ(Found("HTTP://LOUD.EXAMPLE"), QStringList{"HTTP://LOUD.EXAMPLE"});
    EXPECT_EQ(Found("\"http://q.example\""), QStringList{"http://q.example"});
    EXPECT_TRUE(Found("no links here, just example.com and file:///etc/passwd").isEmpty());
    EXPECT_TRUE(Found("http:// alone, www. alone").isEmpty());
    EXPECT_TRUE(Found("").isEmpty());
}

TEST(SafeLinkUrl, OnlyWebAndMailAddressesOpen)
{
    EXPECT_EQ(safeLinkUrl("www.example.org")->toString(), "http://www.example.org");
    EXPECT_EQ(safeLinkUrl("https://example.com/a")->toString(), "https://example.com/a");
    EXPECT_EQ(safeLinkUrl("ftp://example.com/f")->scheme(), "ftp");
    EXPECT_EQ(safeLinkUrl("mailto:ann@example.com")->scheme(), "mailto");
    for (const char *refused : {"file:///etc/passwd", "javascript:alert(1)", "data:text/html,x", "/usr/bin/xterm",
                                "C:\\Windows\\notepad.exe", "smb://host/share", "http://", "mailto:", ""})
        EXPECT_FALSE(safeLinkUrl(refused).has_value()) << refused;
    const QString longest = "http://example.com/" + QString(kLongestLink - 19, 'a');
    EXPECT_TRUE(safeLinkUrl(longest).has_value());
    EXPECT_FALSE(safeLinkUrl(longest + "a").has_value());
}

TEST(SafeLinkUrl, AMailLinkKeepsOnlySubjectBodyCcAndBcc)
{
    const auto opened = [](const QString &link) { return safeLinkUrl(link)->toString(QUrl::FullyEncoded); };
    EXPECT_EQ(opened("mailto:x@example.com?attach=/etc/passwd"), "mailto:x@example.com");
    EXPECT_EQ(opened("mailto:x@example.com?subject=Hi%20there&attachment=~/.ssh/id_rsa&BODY=a%26b&cc=y@example.com"
                     "&bcc=z@example.com&x-attach=1#frag"),
              "mailto:x@example.com?subject=Hi%20there&BODY=a%26b&cc=y@example.com&bcc=z@example.com");
    EXPECT_EQ(opened("mailto:x@example.com?%61ttach=/etc/passwd&subject=s"), "mailto:x@example.com?subject=s");
    EXPECT_EQ(opened("MAILTO:x@example.com?Subject=s"), "mailto:x@example.com?Subject=s");
}

class LinksInABox : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        box = new QTextEdit(window.get());
        box->resize(400, 200);
        box->setPlainText("Visit www.example.org today or javascript:alert(1) and file:///etc/passwd\n"
                          "then https://example.com/page.");
        window->show();
    }
    void TearDown() override
    {
        links.reset();
        window.reset();
    }

    void Hook() { links = std::make_unique<ReportLinks>(box); }

    // The middle of the first character of needle, in viewport coordinates.
    QPoint PointOf(const QString &needle, int offset = 1)
    {
        const QTextCursor found = box->document()->find(needle);
        QTextCursor at(box->document());
        at.setPosition(found.selectionStart() + offset);
        return box->cursorRect(at).center() + QPoint(2, 0);
    }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button)
    {
        QMouseEvent event(type, at, box->viewport()->mapToGlobal(at), button,
                          type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::MouseButtons(Qt::NoButton),
                          Qt::NoModifier);
        QApplication::sendEvent(box->viewport(), &event);
    }

    OpenedUrls browser;
    std::unique_ptr<QWidget> window;
    QTextEdit *box = nullptr;
    std::unique_ptr<ReportLinks> links;
};

TEST_F(LinksInABox, ALeftPressOnALinkOpensExactlyThatAddressOnce)
{
    Hook();
    Mouse(QEvent::MouseButtonPress, PointOf("www.example.org", 4), Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, PointOf("www.example.org", 4), Qt::LeftButton);
    EXPECT_EQ(browser.opened, QStringList{"http://www.example.org"});
    Mouse(QEvent::MouseButtonPress, PointOf("https://example.com/page", 3), Qt::LeftButton);
    EXPECT_EQ(browser.opened, (QStringList{"http://www.example.org", "https://example.com/page"}));
}

TEST_F(LinksInABox, MovesRightClicksPlainTextAndUnsafeAddressesOpenNothing)
{
    Hook();
    Mouse(QEvent::MouseMove, PointOf("www.example.org", 4), Qt::NoButton);
    EXPECT_EQ(box->viewport()->cursor().shape(), Qt::PointingHandCursor);
    Mouse(QEvent::MouseMove, PointOf("Visit", 2), Qt::NoButton);
    EXPECT_EQ(box->viewport()->cursor().shape(), Qt::IBeamCursor);
    Mouse(QEvent::MouseButtonPress, PointOf("www.example.org", 4), Qt::RightButton);
    Mouse(QEvent::MouseButtonPress, PointOf("today", 2), Qt::LeftButton);
    Mouse(QEvent::MouseButtonPress, PointOf("javascript", 3), Qt::LeftButton);
    Mouse(QEvent::MouseButtonPress, PointOf("file:", 3), Qt::LeftButton);
    // Blank space right of the last line's end is no link.
    Mouse(QEvent::MouseButtonPress, QPoint(390, PointOf("then", 1).y()), Qt::LeftButton);
    EXPECT_TRUE(browser.opened.isEmpty());
}

TEST_F(LinksInABox, LinksEndWithTheirObjectAndComeBackWithANewOne)
{
    Hook();
    links.reset();
    Mouse(QEvent::MouseButtonPress, PointOf("www.example.org", 4), Qt::LeftButton);
    EXPECT_TRUE(browser.opened.isEmpty());
    Hook();
    Mouse(QEvent::MouseButtonPress, PointOf("www.example.org", 4), Qt::LeftButton);
    EXPECT_EQ(browser.opened.size(), 1);
}

TEST_F(LinksInABox, LinkStylingIsOnScreenOnly)
{
    Hook();
    QApplication::processEvents();
    const QTextBlock block = box->document()->firstBlock();
    bool styled = false;
    for (const QTextLayout::FormatRange &range : block.layout()->formats())
        styled |= range.format.foreground().color() == QColor(0, 0, 255);
    EXPECT_TRUE(styled);
    EXPECT_FALSE(box->document()->toHtml().contains("#0000ff"));
    std::unique_ptr<QTextDocument> clone(box->document()->clone());
    EXPECT_TRUE(clone->firstBlock().layout()->formats().isEmpty());
}

} // namespace
