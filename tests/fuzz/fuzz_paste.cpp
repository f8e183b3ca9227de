// Whatever a clipboard or a drop offers (any formats, any bytes, several at once, or none) reaches
// the report box and a name box without harm: the report takes plain text only (no list, table or
// image comes in), and a name keeps capitals and spaces only.
//
// Input: up to four offers, each a format name and its bytes, every field preceded by one length
// byte; the rest of the input is the last offer's bytes.
#include "report/ReportEdit.h"
#include "widgets/NameKeyFilter.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

QMimeData *offersIn(const uint8_t *data, size_t size)
{
    auto *offers = new QMimeData;
    size_t at = 0;
    const auto field = [&](bool last) {
        size_t length = at < size ? data[at++] : 0;
        if (last || length > size - at)
            length = size - at;
        const QByteArray bytes(reinterpret_cast<const char *>(data + at), static_cast<qsizetype>(length));
        at += length;
        return bytes;
    };
    const int count = size > 0 ? data[at++] % 5 : 0;
    for (int i = 0; i < count; ++i) {
        const QString format = QString::fromLatin1(field(false));
        offers->setData(format, field(i == count - 1));
    }
    return offers;
}

void dropOn(QWidget *target, const QMimeData *offers)
{
    const QPoint at(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction, offers, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, offers, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_paste";
    static char *argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    static ReportEdit report;
    static QLineEdit nameBox;
    static int refusals = 0;
    static NameKeyFilter filter(&nameBox, [] { ++refusals; });

    report.setPlainText(QStringLiteral("Report"));
    nameBox.setText(QString());
    QGuiApplication::clipboard()->setMimeData(offersIn(data, size));
    report.paste();
    nameBox.paste();
    const std::unique_ptr<QMimeData> dropped(offersIn(data, size));
    dropOn(report.viewport(), dropped.get());
    dropOn(&nameBox, dropped.get());
    QCoreApplication::processEvents();

    QTextDocument *document = report.document();
    Check(document->rootFrame()->childFrames().isEmpty());
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        Check(block.textList() == nullptr);
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            Check(!fragment.fragment().charFormat().isImageFormat());
    }
    for (QChar c : nameBox.text())
        Check((c >= u'A' && c <= u'Z') || c == u' ');
    return 0;
}
